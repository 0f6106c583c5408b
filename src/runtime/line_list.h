#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace netedit {

// Lines of a text file without their terminators, in file order. The lines live side by side
// in one buffer, so a file of a million lines costs a few allocations, not a million; a list
// split from file bytes keeps those very bytes.
class LineList {
public:
    LineList() = default;
    LineList(std::initializer_list<std::string_view> lines);

    std::size_t size() const { return begins_.size(); }
    bool empty() const { return begins_.empty(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t begin = begins_[i];
        std::size_t end = i + 1 < begins_.size() ? begins_[i + 1] : bytes_.size();
        // What ends a line is "\r\n", "\r", "\n" or the end of the data; a line split from a file
        // holds no CR or LF, and an added one is always ended by "\r\n".
        if (end > begin && bytes_[end - 1] == '\n') {
            --end;
        }
        if (end > begin && bytes_[end - 1] == '\r') {
            --end;
        }
        return {bytes_.data() + begin, end - begin};
    }
    void push_back(std::string_view line) {
        begins_.push_back(bytes_.size());
        bytes_.append(line);
        bytes_.append("\r\n"); // a whole CR LF, so that a line of its own ending in CR keeps it
        lineBytes_ += line.size();
    }
    void clear() {
        bytes_.clear();
        begins_.clear();
        lineBytes_ = 0;
    }
    // All line bytes together, without terminators.
    std::size_t byteCount() const { return lineBytes_; }

    friend bool operator==(const LineList& a, const LineList& b);
    friend LineList SplitLines(std::string bytes);

    class const_iterator {
    public:
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        const_iterator() = default;
        const_iterator(const LineList* list, std::size_t i) : list_(list), i_(i) {}
        std::string_view operator*() const { return (*list_)[i_]; }
        const_iterator& operator++() {
            ++i_;
            return *this;
        }
        const_iterator operator++(int) {
            auto old = *this;
            ++i_;
            return old;
        }
        bool operator==(const const_iterator& o) const { return i_ == o.i_; }

    private:
        const LineList* list_ = nullptr;
        std::size_t i_ = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    // The lines with their terminators, and where each begins: a line ends where the next
    // begins, less its terminator. Half the memory of a begin and an end per line.
    std::string bytes_;
    std::vector<std::size_t> begins_;
    std::size_t lineBytes_ = 0;
};

// Splits file bytes into lines: CR LF, a lone CR and a lone LF each end a line; a last line
// without terminator is a line; no empty line follows a final terminator. NUL and Ctrl-Z are
// ordinary bytes of their line (a NUL must never cut the rest of a file away).
LineList SplitLines(std::string bytes);

// Reads a whole file into `lines` (replacing what it held). Fails with "ﾌｧｲﾙ %s は開けません"
// (the path as passed in) when the file cannot be opened or read; `lines` is then untouched.
void LoadLines(const std::string& path, LineList& lines);

} // namespace netedit
