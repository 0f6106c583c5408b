// Saving: building a new file of a million lines and writing it safely, against writing the same
// bytes with one write (and the same flush to disk, which a safe save needs). Every entry writes
// its whole section, so a million lines come from one entry per section of a large file.
#include "bench/bench_timer.h"
#include "bench/net_data_sample.h"
#include "netdata/net_data.h"
#include "netdata/net_data_writer.h"
#include "runtime/codec.h"
#include "support/temp_dir.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace netedit::bench {
namespace {

void WriteOnce(const std::string& path, const std::string& bytes, bool flush) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        std::perror("write");
    }
    if (flush) {
        ::fsync(fd);
    }
    ::close(fd);
}

// The least any save that keeps the old file whole until the new one is on disk can do: one
// write and flush of a new file, one rename over the old, and the flush of the folder that makes
// the rename itself last.
void WriteAndReplace(const std::string& path, const std::string& bytes) {
    const std::string fresh = path + ".new";
    WriteOnce(fresh, bytes, true);
    ::rename(fresh.c_str(), path.c_str());
    const int folder = ::open(path.substr(0, path.rfind('/')).c_str(), O_RDONLY | O_DIRECTORY);
    ::fsync(folder);
    ::close(folder);
}

} // namespace
} // namespace netedit::bench

int main() {
    using namespace netedit;
    using namespace netedit::bench;
    testing::TempDir dir;
    const std::string source = dir.file("OBN.NET");
    // Its sections are numbered from 0 in order with CR LF line ends: saved whole, it is itself.
    const std::string expected = EncodeCp932(MakeNetData(255, 1'000'000, 1'000'000));
    std::ofstream(source, std::ios::binary) << expected;
    const NetData data = LoadNetData(source);
    std::printf("%zu entries on the right, %zu bytes to write\n", data.entries.size(), expected.size());
    if (data.entries.size() != 255) {
        std::printf("unexpected sample\n");
        return 1;
    }

    const std::string target = dir.file("NEW.NET");
    const double plain = BestSeconds(
        5, [] {}, [&] { WriteOnce(target, expected, false); });
    const double flushed = BestSeconds(
        5, [] {}, [&] { WriteOnce(target, expected, true); });
    const double replaced = BestSeconds(
        5, [] {}, [&] { WriteAndReplace(target, expected); });
    const double save = BestSeconds(
        5, [] {}, [&] { SaveNetData(target, source, data.entries, {}, data.sections); });
    Report("one write, no flush", plain, flushed, "-");
    Report("one write + fsync (baseline)", flushed, flushed, "-");
    Report("one write + fsync, rename, folder fsync", replaced, flushed, "-");
    Report("SaveNetData: build + safe write + fsync", save, flushed, "<= 1.15x");
    std::ifstream saved(target, std::ios::binary);
    if (std::string(std::istreambuf_iterator<char>(saved), {}) != expected) {
        std::printf("unexpected saved file\n");
        return 1;
    }
    return 0;
}
