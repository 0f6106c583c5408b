#include "netdata/section_table.h"

#include "runtime/failure.h"
#include "runtime/messages.h"

namespace netedit {

SectionTable::SectionTable(std::string bytes, std::vector<Span> bodies)
    : bytes_(std::move(bytes)), bodies_(std::move(bodies)) {}

SectionTable::Body SectionTable::body(int section) const {
    if (section < 0 || section >= count()) {
        throw Failure(Message(msg::IndexOutOfRange));
    }
    const auto [begin, end] = bodies_[static_cast<std::size_t>(section)];
    return Body(bytes_).substr(begin, end - begin);
}

} // namespace netedit
