#include "netdata/section_table.h"

#include "runtime/failure.h"
#include "runtime/messages.h"

namespace netedit {

SectionTable::SectionTable(LineList lines, std::vector<std::size_t> headers)
    : lines_(std::move(lines)), headers_(std::move(headers)) {}

SectionTable::Body SectionTable::body(int section) const {
    if (section < 0 || section >= count()) {
        throw Failure(Message(msg::IndexOutOfRange));
    }
    const auto k = static_cast<std::size_t>(section);
    const std::size_t end = k + 1 < headers_.size() ? headers_[k + 1] : lines_.size();
    return Body{&lines_, headers_[k] + 1, end};
}

} // namespace netedit
