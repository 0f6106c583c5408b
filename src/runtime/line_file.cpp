#include "runtime/line_file.h"

#include "runtime/failure.h"
#include "runtime/messages.h"
#include "runtime/platform.h"

namespace netedit {

std::string ReadLineFile(const std::string& path) {
    std::string bytes;
    if (platform::ReadWholeFile(path, bytes) != platform::IoResult::Ok) {
        throw Failure(Message(msg::CannotOpen, path));
    }
    return bytes;
}

std::size_t LineEndFrom(std::string_view bytes, std::size_t from) {
    const char* data = bytes.data();
    const std::size_t size = bytes.size();
    std::size_t i = from;
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= size; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const auto ends = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf))));
        if (ends != 0) {
            return i + static_cast<std::size_t>(__builtin_ctz(ends));
        }
    }
#endif
    for (; i < size; ++i) {
        if (data[i] == '\r' || data[i] == '\n') {
            return i;
        }
    }
    return size;
}

} // namespace netedit
