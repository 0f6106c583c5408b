#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace netedit {

// The lines of a text file are found in its bytes as read, never copied one by one: CR LF, a
// lone CR and a lone LF each end a line; a last line without terminator is a line; no empty line
// follows a final terminator. NUL and Ctrl-Z are ordinary bytes of their line (a NUL must never
// cut the rest of a file away).

// Reads a whole file. Fails with "ﾌｧｲﾙ %s は開けません" (the path as passed in) when the file
// cannot be opened or read, and with std::bad_alloc at once when it is larger than the memory
// the system will give.
std::string ReadLineFile(const std::string& path);

// Where the line holding `from` ends: its first CR or LF at or after `from`, else the size.
std::size_t LineEndFrom(std::string_view bytes, std::size_t from);

// How many bytes the terminator at `at` takes: 2 for CR LF, 1 for a lone CR or LF, 0 at the end.
inline std::size_t TerminatorLength(std::string_view bytes, std::size_t at) {
    if (at >= bytes.size()) {
        return 0;
    }
    return bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n' ? 2 : 1;
}

// Calls `visit(position)` for every line that begins with the byte `a` or `b`, in order. 64
// bytes at a time where the processor allows, and nothing at all for the other lines: this scan
// is most of the cost of loading a large file.
template <typename Visit>
void ForEachLineBeginningWith(std::string_view bytes, char a, char b, Visit&& visit) {
    const char* data = bytes.data();
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    std::uint64_t afterEnd = 1; // the first byte begins a line
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i wantA = _mm_set1_epi8(a);
    const __m128i wantB = _mm_set1_epi8(b);
    // 64 bytes a round: which are line ends and which are wanted, as bits.
    for (; i + 64 <= size; i += 64) {
        std::uint64_t ends = 0;
        std::uint64_t wanted = 0;
        for (unsigned k = 0; k < 4; ++k) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 16 * k));
            const auto e = static_cast<unsigned>(
                _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf))));
            const auto w = static_cast<unsigned>(
                _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, wantA), _mm_cmpeq_epi8(chunk, wantB))));
            ends |= std::uint64_t{e} << (16 * k);
            wanted |= std::uint64_t{w} << (16 * k);
        }
        // A byte after a CR or LF begins a line unless it is the LF of CR LF, which is never wanted.
        std::uint64_t begins = ((ends << 1) | afterEnd) & wanted;
        afterEnd = ends >> 63;
        while (begins != 0) {
            visit(i + static_cast<std::size_t>(__builtin_ctzll(begins)));
            begins &= begins - 1;
        }
    }
#endif
    for (; i < size; ++i) {
        if (afterEnd != 0 && (data[i] == a || data[i] == b)) {
            visit(i);
        }
        afterEnd = data[i] == '\r' || data[i] == '\n' ? 1U : 0U;
    }
}

// Calls `visit(position)` for every lone CR and every lone LF, in order: the terminators that are
// not CR LF.
template <typename Visit> void ForEachLoneTerminator(std::string_view bytes, Visit&& visit) {
    const char* data = bytes.data();
    const std::size_t size = bytes.size();
    std::size_t i = 0;
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    std::uint64_t crBefore = 0;
    for (; i + 64 <= size; i += 64) {
        std::uint64_t crs = 0;
        std::uint64_t lfs = 0;
        for (unsigned k = 0; k < 4; ++k) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 16 * k));
            crs |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, cr)))}
                   << (16 * k);
            lfs |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lf)))}
                   << (16 * k);
        }
        const std::uint64_t lfAfter =
            (lfs >> 1) | (i + 64 < size && data[i + 64] == '\n' ? std::uint64_t{1} << 63 : 0);
        std::uint64_t lone = (crs & ~lfAfter) | (lfs & ~((crs << 1) | crBefore));
        crBefore = crs >> 63;
        while (lone != 0) {
            visit(i + static_cast<std::size_t>(__builtin_ctzll(lone)));
            lone &= lone - 1;
        }
    }
#endif
    for (; i < size; ++i) {
        if ((data[i] == '\r' && (i + 1 == size || data[i + 1] != '\n')) ||
            (data[i] == '\n' && (i == 0 || data[i - 1] != '\r'))) {
            visit(i);
        }
    }
}

// Hands whole lines to `out` with every line ended by CR LF: the runs of lines that already end
// so go out as they stand, in as few pieces as there are other terminators.
template <typename Out> void WriteCrLfLines(std::string_view lines, Out& out) {
    constexpr std::string_view CrLf = "\r\n";
    std::size_t run = 0;
    ForEachLoneTerminator(lines, [&](std::size_t at) {
        out(lines.substr(run, at - run));
        out(CrLf);
        run = at + 1;
    });
    if (run < lines.size()) {
        out(lines.substr(run));
        if (lines.back() != '\n') {
            out(CrLf); // a last line without terminator; a lone one was handled above
        }
    }
}

} // namespace netedit
