// Loading: the core split against reading the same bytes and counting lines with memchr, and
// showing the entries of a large file in the left list.
#include "app/dual_list_window.h"
#include "bench/bench_timer.h"
#include "bench/net_data_sample.h"
#include "netdata/net_data.h"
#include "runtime/codec.h"
#include "runtime/platform.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QTest>
#include <cstring>
#include <fstream>

namespace netedit::bench {
namespace {

std::size_t CountLines(const std::string& bytes) {
    std::size_t lines = 0;
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while (const void* found = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
        ++lines;
        p = static_cast<const char*>(found) + 1;
    }
    return lines;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

void BenchCoreLoad(const testing::TempDir& dir) {
    const std::string path = dir.file("OBN.NET");
    WriteFile(path, EncodeCp932(MakeNetData(255, 1'000'000, 10)));
    std::size_t sink = 0;
    const double baseline = BestSeconds(
        5, [] {},
        [&] {
            std::string bytes;
            platform::ReadWholeFile(path, bytes);
            sink += CountLines(bytes);
        });
    const double load = BestSeconds(
        5, [] {}, [&] { sink += LoadNetData(path).entries.size(); });
    std::printf("255 sections, 1,000,000 lines (%zu)\n", sink % 10);
    Report("read + count lines with memchr (baseline)", baseline, baseline, "-");
    Report("LoadNetData: read, sections, entries", load, baseline, "<= 1.25x");
}

void BenchShowEntries(const testing::TempDir& dir) {
    const std::string path = dir.file("BIG.NET");
    WriteFile(path, EncodeCp932(MakeNetData(255, 300'000, 3)));
    testing::ScriptedDialogs dialogs;
    std::unique_ptr<DualListWindow> window;
    const double shown = BestSeconds(
        3,
        [&] {
            window =
                std::make_unique<DualListWindow>(dialogs, ProgramFiles{dir.file("bench.INI"), {}, {}, {}});
            window->show();
            (void)QTest::qWaitForWindowExposed(window.get());
            dialogs.openAnswers.push_back(path);
        },
        [&] {
            window->BitBtn1->click();
            window->repaint();
            QApplication::processEvents();
        });
    std::printf("%zu entries in the left list\n", window->SrcList->count());
    Report("open, load and show in the left list", shown, shown, "< 0.3 s");
}

} // namespace
} // namespace netedit::bench

int main(int argc, char** argv) {
    netedit::bench::UseOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    netedit::testing::TempDir dir;
    netedit::bench::BenchCoreLoad(dir);
    netedit::bench::BenchShowEntries(dir);
    return 0;
}
