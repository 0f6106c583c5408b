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

} // namespace
} // namespace netedit::bench

int main() {
    using namespace netedit;
    using namespace netedit::bench;
    testing::TempDir dir;
    const std::string source = dir.file("OBN.NET");
    std::ofstream(source, std::ios::binary) << EncodeCp932(MakeNetData(255, 1'000'000, 1'000'000));
    const NetData data = LoadNetData(source);
    const std::string expected = BuildNetDataText(data.entries, data.sections);
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
    const double build = BestSeconds(
        5, [] {}, [&] { (void)BuildNetDataText(data.entries, data.sections); });
    const double save = BestSeconds(
        5, [] {}, [&] { SaveNetData(target, source, data.entries, {}, data.sections); });
    Report("one write, no flush", plain, flushed, "-");
    Report("one write + fsync (baseline)", flushed, flushed, "-");
    Report("build the new text alone", build, flushed, "-");
    Report("SaveNetData: build + safe write + fsync", save, flushed, "<= 1.15x");
    return 0;
}
