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

constexpr int DiskFull = 112;

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

// Writes what `produce` hands over to `handle`: the first code that went wrong, or 0. After a
// short write the rest is pointless and is not written.
int WriteOut(const TextProducer& produce, platform::Handle handle) {
    int code = 0;
    produce([&](std::string_view piece) {
        if (code == 0) {
            code = platform::WriteAll(handle, piece.data(), piece.size());
        }
    });
    return code;
}

unsigned long long SizeOf(const TextProducer& produce) {
    unsigned long long size = 0;
    produce([&size](std::string_view piece) { size += piece.size(); });
    return size;
}

[[noreturn]] void RefuseCreating(const std::string& path) {
    throw Failure(Message(msg::CannotCreate, path));
}

} // namespace

NewFile::NewFile(const std::string& path, TextProducer produce, Naming naming,
                 const std::string& permissionsFrom)
    : path_(path), target_(naming == Naming::Chosen ? platform::LinkedFile(path) : path), naming_(naming),
      produce_(std::move(produce)) {
    // A link at an own name is only a name, replaced as one; it leads nowhere the save goes.
    const bool link = naming == Naming::Own && platform::KindOfName(target_) == platform::PathKind::Link;
    const int standing = link ? 0 : platform::LookAtTarget(target_);
    if (standing != 0 && standing != 2) {
        RefuseCreating(path_);
    }
    if (const int created = CreateTemporary(target_, temporary_, handle_)) {
        temporary_.clear();
        // A folder that takes no new file may still let the file itself be written: that waits
        // for PutInPlace, which alone may change what stands.
        if (standing == 0 && !link && created == 5) {
            return;
        }
        RefuseCreating(path_);
    }
    open_ = true;
    // The rename at the end must not be refused after other files have changed.
    if (const int code = standing == 0 ? platform::MayErase(target_) : 0; code != 0 && code != 2) {
        Abandon();
        throw Failure(IOMessage(code), code);
    }
    int code = 0;
    try {
        code = WriteOut(produce_, handle_);
        code = code != 0 ? code : platform::FlushToDisk(handle_);
    } catch (...) {
        Abandon();
        throw;
    }
    if (code != 0) {
        Abandon();
        throw Failure(Message(msg::WriteError));
    }
    // Only now, written and flushed, may the text become readable to whom the old file was.
    platform::TakePermissions(handle_, naming == Naming::Own || standing != 0 ? permissionsFrom : target_);
}

NewFile::~NewFile() {
    Abandon();
}

void NewFile::Abandon() {
    if (open_) {
        open_ = false;
        platform::CloseHandle(handle_);
    }
    if (!temporary_.empty()) {
        platform::Discard(temporary_);
        temporary_.clear();
    }
}

void NewFile::PutInPlace() {
    if (temporary_.empty()) {
        WriteInPlace();
        return;
    }
    const int kept = platform::KeepNew(handle_);
    open_ = false;
    if (const int closed = platform::CloseHandle(handle_); kept != 0 || closed != 0) {
        Abandon();
        throw Failure(Message(msg::WriteError));
    }
    const bool replacing = platform::KindOfName(target_) != platform::PathKind::Missing;
    if (const int code = platform::PutInPlace(temporary_, target_)) {
        // A replace that took the old file away and failed leaves the new text as the only one.
        if (replacing && platform::KindOfName(target_) == platform::PathKind::Missing) {
            temporary_.clear();
        }
        throw Failure(RefusalMessage(code, Message(msg::WriteError)));
    }
    temporary_.clear();
}

void NewFile::WriteInPlace() {
    const unsigned long long size = SizeOf(produce_);
    platform::Handle handle = -1;
    if (const int code = platform::OpenToOverwrite(target_, size, naming_ == Naming::Chosen, handle)) {
        // No room: the file stands as it was.
        throw Failure(code == DiskFull ? Message(msg::WriteError) : Message(msg::CannotCreate, path_));
    }
    int code = 0;
    try {
        code = WriteOut(produce_, handle);
    } catch (...) {
        platform::CloseHandle(handle);
        throw;
    }
    code = code != 0 ? code : platform::SetLength(handle, size);
    code = code != 0 ? code : platform::FlushToDisk(handle);
    const int closed = platform::CloseHandle(handle);
    if (code != 0 || closed != 0) {
        throw Failure(Message(msg::WriteError)); // what was written stays: nothing better is possible
    }
}

void SaveStream(const std::string& path, const TextProducer& produce) {
    NewFile file(path, produce);
    file.PutInPlace();
}

std::string RefusalMessage(int code, const std::string& otherwise) {
    constexpr int AccessDenied = 5;
    constexpr int InUse = 32;
    return code == AccessDenied || code == InUse ? IOMessage(AccessDenied) : otherwise;
}

} // namespace netedit
