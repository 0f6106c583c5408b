#include "editor/dragging.h"

#include <algorithm>

namespace netedit {

std::optional<std::size_t> RowUnder(const ListPointer& pointer, std::size_t count) {
    const int offset = pointer.y - pointer.firstRowTop;
    if (pointer.list == Control::None || pointer.rowHeight <= 0 || offset < 0) {
        return std::nullopt;
    }
    const auto row = static_cast<std::size_t>(offset / pointer.rowHeight);
    return row < count ? std::optional(row) : std::nullopt;
}

std::size_t DropRow(const ListPointer& pointer, std::size_t count) {
    const std::optional<std::size_t> row = RowUnder(pointer, count);
    if (!row) {
        return pointer.y - pointer.firstRowTop < 0 ? 0 : count;
    }
    const int within = pointer.y - pointer.firstRowTop - static_cast<int>(*row) * pointer.rowHeight;
    return 2 * within < pointer.rowHeight ? *row : *row + 1;
}

int DropLineTop(const ListPointer& pointer, std::size_t row) {
    const long long boundary = pointer.firstRowTop + static_cast<long long>(row) * pointer.rowHeight;
    const long long top = boundary - DropLineThickness / 2;
    return static_cast<int>(std::clamp<long long>(top, 0, std::max(0, pointer.height - DropLineThickness)));
}

int AutoScrollStep(const ListPointer& pointer) {
    if (pointer.list == Control::None || pointer.rowHeight <= 0) {
        return 0;
    }
    if (pointer.y < pointer.rowHeight) {
        return -1;
    }
    return pointer.y >= pointer.height - pointer.rowHeight ? 1 : 0;
}

} // namespace netedit
