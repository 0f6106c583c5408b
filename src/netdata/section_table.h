#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace netedit {

// The bodies of the loaded file's sections, indexed by section number. The table keeps the
// loaded bytes as they were read and where each body begins and ends in them: nothing per line.
class SectionTable {
public:
    // At most this many sections fit the three-digit number of an entry text.
    static constexpr int MaxSections = 255;

    // A body's lines as loaded, each with the terminator it had; the last body of the file may
    // end in a line without one.
    using Body = std::string_view;
    // Where a body begins and ends in the loaded bytes.
    using Span = std::pair<std::size_t, std::size_t>;

    SectionTable() = default;
    SectionTable(std::string bytes, std::vector<Span> bodies);

    int count() const { return static_cast<int>(bodies_.size()); }
    // The body of `section`. Fails with "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています" outside 0..count-1,
    // so an entry text can never reach memory that holds no section.
    Body body(int section) const;

private:
    std::string bytes_;
    std::vector<Span> bodies_;
};

} // namespace netedit
