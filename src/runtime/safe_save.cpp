// The safe save, the same on every system: the platform files hold only its single steps.

#include "runtime/safe_save.h"

#include "runtime/failure.h"
#include "runtime/messages.h"
#include "runtime/paths.h"
#include "runtime/platform.h"

#include <random>

namespace netedit {

// The fault switch counts here, once for both systems, so that a test can tell which call of a
// save is the first that changes a file.
namespace platform {

namespace {
// NOLINTBEGIN(cppcoreguidelines-avoid-non-const-global-variables): the tests' switch
int countdown = 0;
int callsMade = 0;
int firstChange = 0;
// NOLINTEND(cppcoreguidelines-avoid-non-const-global-variables)
} // namespace

void FailNthCall(int n) {
    countdown = n;
    callsMade = 0;
    firstChange = 0;
}

int FirstChangingCall() {
    return firstChange;
}

bool InjectedFailure(bool changesFiles) {
    ++callsMade;
    if (changesFiles && firstChange == 0) {
        firstChange = callsMade;
    }
    return countdown > 0 && --countdown == 0;
}

} // namespace platform

namespace {

// Windows sees nothing in a leading dot (and Wine takes it for the hidden attribute, which the
// saved file would take over); "~" marks a passing file there.
#ifdef _WIN32
constexpr std::string_view TemporaryMark = "~";
#else
constexpr std::string_view TemporaryMark = ".";
#endif

// Creates a fresh file beside `target` under a name nobody else uses.
int CreateTemporary(const std::string& target, std::string& temporary, platform::Handle& handle) {
    const std::string name = NamePart(target);
    // Long names would push the temporary name past the system's limit.
    const std::string prefix =
        DirPart(target) + std::string(TemporaryMark) + (name.size() <= 200 ? name : "netedit") + ".";
    constexpr std::string_view Letters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, Letters.size() - 1);
    int code = platform::AlreadyExists;
    for (int attempt = 0; attempt < 100 && code == platform::AlreadyExists; ++attempt) {
        temporary = prefix;
        for (int i = 0; i < 6; ++i) {
            temporary += Letters[pick(random)];
        }
        code = platform::CreateNew(temporary, handle);
    }
    return code;
}

// Writes what `produce` hands over to `handle`, flushes and closes it: the first code that went
// wrong, or 0. After a short write the rest is pointless and is not written.
int WriteOut(const TextProducer& produce, platform::Handle handle) {
    int code = 0;
    try {
        produce([&](std::string_view piece) {
            if (code == 0) {
                code = platform::WriteAll(handle, piece.data(), piece.size());
            }
        });
    } catch (...) {
        platform::CloseHandle(handle);
        throw;
    }
    if (code == 0) {
        code = platform::FlushToDisk(handle);
    }
    const int closed = platform::CloseHandle(handle);
    return code != 0 ? code : closed;
}

} // namespace

NewFile::NewFile(const std::string& path, TextProducer produce, const std::string& permissionsFrom)
    : path_(path), target_(platform::LinkedFile(path)), produce_(std::move(produce)) {
    const int standing = platform::LookAtTarget(target_);
    if (standing != 0 && standing != 2) {
        throw Failure(Message(msg::CannotCreate, path_));
    }
    platform::Handle handle = -1;
    if (const int created = CreateTemporary(target_, temporary_, handle)) {
        temporary_.clear();
        // A folder that takes no new file may still let the file itself be written: that waits
        // for PutInPlace, which alone may change what stands.
        if (standing == 0 && created == 5) {
            return;
        }
        throw Failure(Message(msg::CannotCreate, path_));
    }
    // Before the first byte: a private file's text is never readable by others on the way.
    const std::string& model = standing == 0 ? target_ : permissionsFrom;
    if (!model.empty()) {
        platform::TakePermissions(handle, model);
    }
    int code = 0;
    try {
        code = WriteOut(produce_, handle);
    } catch (...) {
        platform::Discard(temporary_);
        throw;
    }
    if (code != 0) {
        platform::Discard(temporary_);
        throw Failure(Message(msg::WriteError));
    }
}

NewFile::~NewFile() {
    if (!temporary_.empty()) {
        platform::Discard(temporary_);
    }
}

void NewFile::PutInPlace() {
    if (temporary_.empty()) {
        platform::Handle handle = -1;
        if (platform::OpenToOverwrite(target_, handle) != 0) {
            throw Failure(Message(msg::CannotCreate, path_));
        }
        if (WriteOut(produce_, handle) != 0) {
            throw Failure(Message(msg::WriteError)); // what was written stays: nothing better is possible
        }
        return;
    }
    const bool replacing = platform::KindOfPath(target_) == platform::PathKind::File;
    if (const int code = platform::PutInPlace(temporary_, target_)) {
        // A replace that took the old file away and failed leaves the new text as the only one.
        if (replacing && platform::KindOfPath(target_) == platform::PathKind::Missing) {
            temporary_.clear();
        }
        throw Failure(RefusalMessage(code, Message(msg::WriteError)));
    }
    temporary_.clear();
}

void SaveStream(const std::string& path, const TextProducer& produce, const std::string& permissionsFrom) {
    NewFile file(path, produce, permissionsFrom);
    file.PutInPlace();
}

std::string RefusalMessage(int code, const std::string& otherwise) {
    constexpr int AccessDenied = 5;
    constexpr int InUse = 32;
    return code == AccessDenied || code == InUse ? IOMessage(AccessDenied) : otherwise;
}

} // namespace netedit
