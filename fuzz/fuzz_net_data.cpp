// Arbitrary bytes as a loaded net data file, then the save of every entry read back: the new
// file must load again with the same names in the same order and the same bodies, byte for byte.
// The entries and the saved bytes must also be those of a plain line-by-line reading of the input.
#include "netdata/net_data.h"
#include "netdata/net_data_writer.h"
#include "runtime/failure.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace netedit;

namespace {

constexpr std::size_t NameStart = 6; // "[" + three digits + "] "

void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

std::string_view NameOf(const std::string& entryText) {
    Require(entryText.size() >= NameStart);
    return std::string_view(entryText).substr(NameStart);
}

// The lines of `bytes` found one byte at a time: CR LF, a lone CR and a lone LF end a line.
std::vector<std::string_view> PlainLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            lines.push_back(bytes.substr(begin, i - begin));
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
            begin = i + 1;
        }
    }
    if (begin < bytes.size()) {
        lines.push_back(bytes.substr(begin));
    }
    return lines;
}

// The entries and the saved text of every entry, from the plain lines: the reference.
struct Reference {
    std::vector<std::string> entries;
    std::string text;
};

Reference PlainReading(std::string_view bytes) {
    std::vector<std::vector<std::string_view>> bodies;
    Reference reference;
    for (std::string_view line : PlainLines(bytes)) {
        if (!line.empty() && line.front() == '[') {
            bodies.emplace_back();
        } else if (!bodies.empty()) {
            bodies.back().push_back(line);
            if (line.starts_with("Name=")) {
                const std::string number = std::to_string(bodies.size() - 1);
                reference.entries.push_back("[" + std::string(3 - number.size(), ' ') + number + "] " +
                                            std::string(line.substr(5, 255)));
            }
        }
    }
    for (std::size_t position = 0; position < reference.entries.size(); ++position) {
        reference.text += "[" + std::to_string(position) + "]\r\n";
        for (std::string_view line :
             bodies[static_cast<std::size_t>(std::stoi(reference.entries[position].substr(1, 3)))]) {
            reference.text.append(line).append("\r\n");
        }
    }
    return reference;
}

// What the save would write for `entries`, gathered in memory.
std::string TextOf(const std::vector<std::string>& entries, const SectionTable& sections) {
    std::string text;
    NetDataText(entries, sections)([&text](std::string_view piece) { text.append(piece); });
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NetData first;
    try {
        first = SplitNetData(std::string(reinterpret_cast<const char*>(data), size), "IN.NET");
    } catch (const Failure&) {
        return 0; // more sections than an entry text can number
    }
    const Reference reference = PlainReading(std::string_view(reinterpret_cast<const char*>(data), size));
    Require(first.entries == reference.entries);

    // Every entry names a section that exists, and its name is an entry line of that section.
    std::vector<int> sectionOf;
    for (const std::string& entry : first.entries) {
        const int section = std::stoi(entry.substr(1, 3));
        Require(section >= 0 && section < first.sections.count());
        Require(entry.substr(0, NameStart) ==
                "[" + std::string(3 - std::to_string(section).size(), ' ') + std::to_string(section) + "] ");
        sectionOf.push_back(section);
    }

    const std::string text = TextOf(first.entries, first.sections);
    Require(text == reference.text);
    NetData second;
    try {
        second = SplitNetData(text, "OUT.NET");
    } catch (const Failure&) {
        // One section per entry: more entries than sections can number do not load again.
        Require(first.entries.size() > static_cast<std::size_t>(SectionTable::MaxSections));
        return 0;
    }
    Require(first.entries.size() <= static_cast<std::size_t>(SectionTable::MaxSections));
    Require(second.sections.count() == static_cast<int>(first.entries.size()));

    // Section i of the new file is the section of entry i; it brings every entry line it holds,
    // so the new entries are, section by section, the old entries of that section.
    std::vector<std::vector<std::string_view>> namesOfSection(
        static_cast<std::size_t>(first.sections.count()));
    for (std::size_t i = 0; i < first.entries.size(); ++i) {
        namesOfSection[static_cast<std::size_t>(sectionOf[i])].push_back(NameOf(first.entries[i]));
    }
    std::size_t next = 0;
    for (std::size_t i = 0; i < first.entries.size(); ++i) {
        Require(PlainLines(second.sections.body(static_cast<int>(i))) ==
                PlainLines(first.sections.body(sectionOf[i])));
        for (std::string_view name : namesOfSection[static_cast<std::size_t>(sectionOf[i])]) {
            Require(next < second.entries.size());
            Require(NameOf(second.entries[next]) == name);
            Require(std::stoi(second.entries[next].substr(1, 3)) == static_cast<int>(i));
            ++next;
        }
    }
    Require(next == second.entries.size());

    // With one entry line per section nothing multiplies, and saving again gives the same bytes.
    if (second.entries.size() == first.entries.size()) {
        Require(TextOf(second.entries, second.sections) == text);
    }
    return 0;
}
