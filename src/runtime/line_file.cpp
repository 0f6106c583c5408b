#include "runtime/line_file.h"

#include "runtime/failure.h"
#include "runtime/messages.h"
#include "runtime/platform.h"

#include <algorithm>
#include <array>
#include <utility>

namespace netedit {

namespace {

constexpr char CtrlZ = 0x1A;

// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables): one per thread by design
thread_local int recordedCode = 0;

void Record(int code) {
    if (code != 0) {
        recordedCode = code;
    }
}

struct CodeText {
    int code;
    std::string_view text;
};

constexpr std::array<CodeText, 7> CodeTexts{{
    {2, "ﾌｧｲﾙが見つかりません"},
    {3, "不正なﾌｧｲﾙ名です"},
    {4, "ｵｰﾌﾟﾝしたﾌｧｲﾙが多すぎます"},
    {5, "ﾌｧｲﾙへのｱｸｾｽが拒否されました"},
    {100, "ﾌｧｲﾙの末尾以降を読み込みました"},
    {101, "ﾃﾞｨｽｸがいっぱいです"},
    {106, "入力値が数値ではありません"},
}};

constexpr std::string_view OtherCodeText = "I/O ｴﾗｰ (%s)";

} // namespace

LineFile::~LineFile() {
    // A handle never closed loses what it still buffers, as it always has.
    if (state_ == State::Reading || state_ == State::Writing) {
        platform::CloseHandle(handle_);
    }
}

void LineFile::BindName(std::string_view path) {
    if (state_ == State::Reading || state_ == State::Writing) {
        platform::CloseHandle(handle_); // rebinding an open handle must not leak it
    }
    // The whole path, however long: a name cut short could open somebody else's file.
    name_ = std::string(path);
    state_ = State::Closed;
    pos_ = end_ = 0;
}

void LineFile::CloseBeforeOpen() {
    if (state_ == State::Reading || state_ == State::Writing) {
        CloseLines();
        if (state_ != State::Closed) {
            platform::CloseHandle(handle_); // its buffer could not be written out: it is lost
            state_ = State::Closed;
        }
    }
    pos_ = end_ = 0;
}

void LineFile::OpenForRead() {
    if (state_ == State::NotBound) {
        Record(io::NotBound);
        return;
    }
    CloseBeforeOpen();
    int code = platform::OpenForReading(name_, handle_);
    Record(code);
    state_ = code == 0 ? State::Reading : State::Closed;
}

void LineFile::OpenForWrite() {
    if (state_ == State::NotBound) {
        Record(io::NotBound);
        return;
    }
    CloseBeforeOpen();
    int code = platform::CreateForWriting(name_, handle_);
    Record(code);
    state_ = code == 0 ? State::Writing : State::Closed;
}

bool LineFile::Fill() {
    std::size_t got = 0;
    int code = platform::ReadSome(handle_, buffer_.data(), buffer_.size(), got);
    Record(code);
    if (code != 0 || got == 0) {
        // The end of the file stands as a Ctrl-Z that is never stepped over.
        buffer_[0] = CtrlZ;
        pos_ = 0;
        end_ = 1;
        return false;
    }
    pos_ = 0;
    end_ = got;
    return true;
}

unsigned char LineFile::Peek() {
    if (pos_ >= end_) {
        Fill();
    }
    return static_cast<unsigned char>(buffer_[pos_]);
}

bool LineFile::AtEnd() {
    if (state_ != State::Reading) {
        Record(io::NotOpenForInput);
        return true;
    }
    return Peek() == CtrlZ;
}

std::string LineFile::ReadLine() {
    if (state_ != State::Reading) {
        Record(io::NotOpenForInput);
        return {};
    }
    std::string line;
    for (;;) {
        unsigned char byte = Peek();
        if (byte == '\r' || byte == CtrlZ) {
            break;
        }
        // Take the run of ordinary bytes in the buffer at once.
        auto* begin = buffer_.begin() + static_cast<std::ptrdiff_t>(pos_);
        auto* stop = std::find_if(begin, buffer_.begin() + static_cast<std::ptrdiff_t>(end_),
                                  [](char c) { return c == '\r' || c == CtrlZ; });
        line.append(begin, stop);
        pos_ = static_cast<std::size_t>(stop - buffer_.begin());
    }
    if (Peek() == '\r') {
        ++pos_;
        if (Peek() == '\n') {
            ++pos_;
        }
    }
    return line;
}

bool LineFile::Flush() {
    int code = platform::WriteAll(handle_, buffer_.data(), end_);
    Record(code);
    if (code != 0) {
        return false;
    }
    end_ = 0;
    return true;
}

void LineFile::WriteText(std::string_view text) {
    if (state_ != State::Writing) {
        Record(io::NotOpenForOutput);
        return;
    }
    while (!text.empty()) {
        if (end_ == buffer_.size() && !Flush()) {
            return;
        }
        std::size_t take = std::min(text.size(), buffer_.size() - end_);
        std::copy_n(text.begin(), take, buffer_.begin() + static_cast<std::ptrdiff_t>(end_));
        end_ += take;
        text.remove_prefix(take);
        if (end_ == buffer_.size() && !Flush()) {
            return;
        }
    }
}

void LineFile::EndLine() {
    if (state_ == State::NotBound || state_ == State::Closed) {
        Record(io::NotOpen);
        return;
    }
    WriteText("\r\n");
}

void LineFile::CloseLines() {
    if (state_ == State::NotBound || state_ == State::Closed) {
        Record(io::NotOpen);
        return;
    }
    if (state_ == State::Writing && !Flush()) {
        return; // the file stays open so that the text may still be written out
    }
    Record(platform::CloseHandle(handle_));
    handle_ = -1;
    state_ = State::Closed;
    pos_ = end_ = 0;
}

void LineFile::EraseFile() {
    if (state_ == State::NotBound) {
        Record(io::NotBound);
        return;
    }
    Record(platform::EraseFile(name_));
}

int TakeIOCode() {
    return std::exchange(recordedCode, 0);
}

void CheckIO() {
    int code = TakeIOCode();
    if (code != 0) {
        throw Failure(IOMessage(code), code);
    }
}

std::string IOMessage(int code) {
    for (const auto& entry : CodeTexts) {
        if (entry.code == code) {
            return Message(entry.text);
        }
    }
    return Message(OtherCodeText, std::to_string(code));
}

} // namespace netedit
