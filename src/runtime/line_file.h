#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace netedit {

// The recorded I/O codes that are not the system's own.
namespace io {
inline constexpr int NotBound = 102;
inline constexpr int NotOpen = 103;
inline constexpr int NotOpenForInput = 104;
inline constexpr int NotOpenForOutput = 105;
} // namespace io

// A file read or written line by line. Operations never throw: a failing one records an I/O
// code, which the caller turns into a Failure with CheckIO or takes quietly with TakeIOCode.
// Reading ends a line only at CR (with an optional LF after it); Ctrl-Z ends the file.
class LineFile {
public:
    LineFile() = default;
    ~LineFile();
    LineFile(const LineFile&) = delete;
    LineFile& operator=(const LineFile&) = delete;
    LineFile(LineFile&&) = delete;
    LineFile& operator=(LineFile&&) = delete;

    void BindName(std::string_view path);
    void OpenForRead();
    void OpenForWrite();
    bool AtEnd();
    std::string ReadLine();
    void WriteText(std::string_view text);
    void EndLine();
    void CloseLines();
    void EraseFile();

private:
    enum class State { NotBound, Closed, Reading, Writing };
    static constexpr std::size_t BufferSize = 128;

    void CloseBeforeOpen(); // an open first closes an open handle, as CloseLines does
    bool Fill();            // reads the next buffer; false at the end of the file or on a read error
    bool Flush();           // writes the buffer out; false (code recorded) on failure
    unsigned char Peek();   // the byte at the reading position, Ctrl-Z at the end

    std::string name_;
    State state_ = State::NotBound;
    int handle_ = -1;
    std::array<char, BufferSize> buffer_{};
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
};

// Gives the recorded I/O code of this thread and clears it.
int TakeIOCode();

// Turns a recorded I/O code into a Failure carrying it (and clears it); does nothing for 0.
void CheckIO();

// The message for an I/O code, in code page 932.
std::string IOMessage(int code);

} // namespace netedit
