#pragma once

#include "runtime/codec.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace netedit::bench {

// A net data file of `sections` sections and about `lines` lines, one entry every
// `linesPerEntry` lines, with CR LF line ends.
inline std::string MakeNetData(int sections, long lines, long linesPerEntry) {
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 24);
    const long perSection = lines / sections;
    long written = 0;
    for (int s = 0; s < sections; ++s) {
        text.append("[").append(std::to_string(s)).append("]\r\n");
        ++written;
        for (long i = 1; i < perSection && written < lines; ++i, ++written) {
            if (i % linesPerEntry == 1) {
                text.append("Name=接続先").append(std::to_string(written)).append("\r\n");
            } else {
                text.append("Tel=03-0000-").append(std::to_string(written % 10000)).append("\r\n");
            }
        }
    }
    return text;
}

// The large file: 255 sections and 5,000,000 lines, 200 MB.
constexpr int StressSections = 255;
constexpr long StressLines = 5'000'000;
constexpr std::size_t StressLineBytes = 38; // 40 with CR LF

// One entry per section, so the saved file is as large as the loaded one. Its headers already
// count from 0 in order, so a save of every entry in load order gives back the very same bytes.
// Written in pieces: building it in memory would count towards the peak being measured.
inline std::uintmax_t WriteStressFile(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    std::string chunk;
    long written = 0;
    const long perSection = StressLines / StressSections;
    for (int s = 0; s < StressSections; ++s) {
        const long inSection = s + 1 == StressSections ? StressLines - written : perSection;
        chunk.append("[").append(std::to_string(s)).append("]\r\n");
        chunk.append(EncodeCp932("Name=接続先" + std::to_string(s))).append("\r\n");
        for (long i = 2; i < inSection; ++i) {
            std::string line = "Memo" + std::to_string(written + i) + "=";
            line.resize(StressLineBytes, 'x');
            chunk.append(line).append("\r\n");
            if (chunk.size() > (1U << 20)) {
                out << chunk;
                chunk.clear();
            }
        }
        written += inSection;
    }
    out << chunk;
    out.close();
    return std::filesystem::file_size(path);
}

// A 1 GB file of empty lines (CR LF) under one entry, written in pieces.
inline std::uintmax_t WriteEmptyLinesFile(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << "[0]\r\nName=Blank\r\n";
    std::string chunk;
    for (int i = 0; i < (1 << 19); ++i) {
        chunk.append("\r\n");
    }
    for (int i = 0; i < 1024; ++i) {
        out << chunk;
    }
    out.close();
    return std::filesystem::file_size(path);
}

} // namespace netedit::bench
