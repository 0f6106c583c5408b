#include "runtime/line_list.h"

#include "runtime/failure.h"
#include "runtime/messages.h"
#include "runtime/platform.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace netedit {

LineList::LineList(std::initializer_list<std::string_view> lines) {
    for (auto line : lines) {
        push_back(line);
    }
}

bool operator==(const LineList& a, const LineList& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

namespace {

// Calls `atTerminator(position)` for every CR and LF in the data, in order. Sixteen bytes at a
// time where the processor allows: this scan is most of the cost of loading a large file.
template <typename Visit> void ForEachTerminator(const char* data, std::size_t size, Visit&& atTerminator) {
    std::size_t i = 0;
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= size; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf))));
        while (mask != 0) {
            atTerminator(i + static_cast<std::size_t>(__builtin_ctz(mask)));
            mask &= mask - 1;
        }
    }
#endif
    for (; i < size; ++i) {
        if (data[i] == '\r' || data[i] == '\n') {
            atTerminator(i);
        }
    }
}

} // namespace

LineList SplitLines(std::string bytes) {
    LineList lines;
    lines.bytes_ = std::move(bytes);
    const std::string& data = lines.bytes_;
    lines.begins_.reserve(data.size() / 16);
    std::size_t begin = 0; // where the current line begins
    ForEachTerminator(data.data(), data.size(), [&](std::size_t at) {
        if (at < begin) {
            return; // the LF of a CR LF pair, already stepped over
        }
        lines.begins_.push_back(begin);
        lines.lineBytes_ += at - begin;
        begin = at + 1;
        if (data[at] == '\r' && begin < data.size() && data[begin] == '\n') {
            ++begin;
        }
    });
    if (begin < data.size()) {
        lines.begins_.push_back(begin); // a last line without terminator
        lines.lineBytes_ += data.size() - begin;
    }
    return lines;
}

void LoadLines(const std::string& path, LineList& lines) {
    std::string bytes;
    if (platform::ReadWholeFile(path, bytes) != platform::IoResult::Ok) {
        throw Failure(Message(msg::CannotOpen, path));
    }
    lines = SplitLines(std::move(bytes));
}

} // namespace netedit
