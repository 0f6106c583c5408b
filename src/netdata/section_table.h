#pragma once

#include "runtime/line_list.h"

#include <cstddef>
#include <vector>

namespace netedit {

// The bodies of the loaded file's sections, indexed by section number. The bodies are runs of
// lines of the loaded file, kept as it was read: nothing is copied line by line.
class SectionTable {
public:
    // At most this many sections fit the three-digit number of an entry text.
    static constexpr int MaxSections = 255;

    struct Body {
        const LineList* lines = nullptr;
        std::size_t first = 0; // first body line
        std::size_t last = 0;  // one past the last body line

        std::size_t size() const { return last - first; }
        std::string_view operator[](std::size_t i) const { return (*lines)[first + i]; }
    };

    SectionTable() = default;
    // `headers` are the line numbers of the section headers, in file order.
    SectionTable(LineList lines, std::vector<std::size_t> headers);

    int count() const { return static_cast<int>(headers_.size()); }
    // The body of `section`. Fails with "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています" outside 0..count-1,
    // so an entry text can never reach memory that holds no section.
    Body body(int section) const;

private:
    LineList lines_;
    std::vector<std::size_t> headers_;
};

} // namespace netedit
