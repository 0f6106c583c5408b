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

using platform::IoResult;

// Windows sees nothing in a leading dot (and Wine takes it for the hidden attribute, which the
// saved file would take over); "~" marks a passing file there.
#ifdef _WIN32
constexpr std::string_view TemporaryMark = "~";
#else
constexpr std::string_view TemporaryMark = ".";
#endif

// Creates a fresh file beside `target` under a name nobody else uses.
IoResult CreateTemporary(const std::string& target, platform::Names names, std::string& temporary,
                         platform::Handle& handle) {
    const PathStyle style = names == platform::Names::Own ? OwnPathStyle : NativePathStyle;
    const std::string name = NamePart(target, style);
    // Long names would push the temporary name past the system's limit.
    const std::string prefix =
        DirPart(target, style) + std::string(TemporaryMark) + (name.size() <= 200 ? name : "netedit") + ".";
    constexpr std::string_view Letters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, Letters.size() - 1);
    IoResult code = IoResult::Exists;
    for (int attempt = 0; attempt < 100 && code == IoResult::Exists; ++attempt) {
        temporary = prefix;
        for (int i = 0; i < 6; ++i) {
            temporary += Letters[pick(random)];
        }
        code = platform::CreateNew(temporary, handle, names);
    }
    return code;
}

// Writes what `produce` hands over to `handle`: the first result that went wrong, or Ok. After a
// short write the rest is pointless and is not written.
IoResult WriteOut(const TextProducer& produce, platform::Handle handle) {
    IoResult code = IoResult::Ok;
    produce([&](std::string_view piece) {
        if (code == IoResult::Ok) {
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
                 const std::string& permissionsFrom, platform::Names names)
    : path_(path), target_(naming == Naming::Chosen ? platform::LinkedFile(path) : path), naming_(naming),
      names_(names), produce_(std::move(produce)) {
    // A link at an own name is only a name, replaced as one; it leads nowhere the save goes.
    const bool link =
        naming == Naming::Own && platform::KindOfName(target_, names) == platform::PathKind::Link;
    const IoResult standing = link ? IoResult::Ok : platform::LookAtTarget(target_, names);
    if (standing != IoResult::Ok && standing != IoResult::NotFound) {
        RefuseCreating(path_);
    }
    if (const IoResult created = CreateTemporary(target_, names, temporary_, handle_);
        created != IoResult::Ok) {
        temporary_.clear();
        // A folder that takes no new file may still let the file itself be written: that waits
        // for PutInPlace, which alone may change what stands.
        if (standing == IoResult::Ok && !link && created == IoResult::Denied) {
            return;
        }
        RefuseCreating(path_);
    }
    open_ = true;
    // The rename at the end must not be refused after other files have changed.
    if (const IoResult code = standing == IoResult::Ok ? platform::MayErase(target_, names) : IoResult::Ok;
        code != IoResult::Ok && code != IoResult::NotFound) {
        Abandon();
        throw Failure(IOMessage(code));
    }
    IoResult code = IoResult::Ok;
    try {
        code = WriteOut(produce_, handle_);
        code = code != IoResult::Ok ? code : platform::FlushToDisk(handle_);
    } catch (...) {
        Abandon();
        throw;
    }
    if (code != IoResult::Ok) {
        Abandon();
        throw Failure(Message(msg::WriteError));
    }
    // Only now, written and flushed, may the text become readable to whom the old file was.
    platform::TakePermissions(handle_,
                              naming == Naming::Own || standing != IoResult::Ok ? permissionsFrom : target_);
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
        platform::Discard(temporary_, names_);
        temporary_.clear();
    }
}

void NewFile::PutInPlace() {
    if (temporary_.empty()) {
        WriteInPlace();
        return;
    }
    const IoResult kept = platform::KeepNew(handle_);
    open_ = false;
    if (const IoResult closed = platform::CloseHandle(handle_);
        kept != IoResult::Ok || closed != IoResult::Ok) {
        Abandon();
        throw Failure(Message(msg::WriteError));
    }
    const bool replacing = platform::KindOfName(target_, names_) != platform::PathKind::Missing;
    if (const IoResult code = platform::PutInPlace(temporary_, target_, names_); code != IoResult::Ok) {
        // A replace that took the old file away and failed leaves the new text as the only one.
        if (replacing && platform::KindOfName(target_, names_) == platform::PathKind::Missing) {
            temporary_.clear();
        }
        throw Failure(RefusalMessage(code, Message(msg::WriteError)));
    }
    temporary_.clear();
}

void NewFile::WriteInPlace() {
    const unsigned long long size = SizeOf(produce_);
    platform::Handle handle = -1;
    if (const IoResult code =
            platform::OpenToOverwrite(target_, size, naming_ == Naming::Chosen, handle, names_);
        code != IoResult::Ok) {
        // No room: the file stands as it was.
        throw Failure(code == IoResult::DiskFull ? Message(msg::WriteError)
                                                 : Message(msg::CannotCreate, path_));
    }
    IoResult code = IoResult::Ok;
    try {
        code = WriteOut(produce_, handle);
    } catch (...) {
        platform::CloseHandle(handle);
        throw;
    }
    code = code != IoResult::Ok ? code : platform::SetLength(handle, size);
    code = code != IoResult::Ok ? code : platform::FlushToDisk(handle);
    const IoResult closed = platform::CloseHandle(handle);
    if (code != IoResult::Ok || closed != IoResult::Ok) {
        throw Failure(Message(msg::WriteError)); // what was written stays: nothing better is possible
    }
}

std::string RefusalMessage(platform::IoResult result, const std::string& otherwise) {
    using platform::IoResult;
    return result == IoResult::Denied || result == IoResult::InUse ? IOMessage(IoResult::Denied) : otherwise;
}

} // namespace netedit
