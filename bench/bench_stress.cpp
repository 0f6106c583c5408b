// A 200 MB net data file of 255 sections and 5,000,000 lines through the real window: open, ">>"
// and save into another directory. Each action runs on the interface thread, so its wall time is
// how long the window stays unresponsive; the process's peak memory is set against the file size.
#include "app/dual_list_window.h"
#include "bench/bench_timer.h"
#include "bench/net_data_sample.h"
#include "editor/user_dialogs.h"
#include "netdata/net_data.h"
#include "netdata/net_data_writer.h"
#include "runtime/codec.h"
#include "runtime/platform.h"
#include "runtime/safe_save.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

namespace netedit::bench {
namespace {

bool SameBytes(const std::string& a, const std::string& b) {
    std::ifstream fa(a, std::ios::binary);
    std::ifstream fb(b, std::ios::binary);
    std::string ba(1 << 20, '\0');
    std::string bb(1 << 20, '\0');
    while (fa && fb) {
        fa.read(ba.data(), static_cast<std::streamsize>(ba.size()));
        fb.read(bb.data(), static_cast<std::streamsize>(bb.size()));
        if (fa.gcount() != fb.gcount() || ba.compare(0, static_cast<std::size_t>(fa.gcount()), bb, 0,
                                                     static_cast<std::size_t>(fb.gcount())) != 0) {
            return false;
        }
    }
    return fa.eof() && fb.eof();
}

// The resident-set figures of /proc/self/status, in bytes.
std::uintmax_t StatusBytes(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == key) {
            std::uintmax_t kib = 0;
            status >> kib;
            return kib * 1024;
        }
    }
    return 0;
}

// Starts a new peak from the current resident set, so each action's own peak can be read.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

struct Measure {
    const char* what;
    double seconds;
    std::uintmax_t peak;
};

Measure Run(const char* what, const std::function<void()>& action) {
    ResetPeak();
    const auto start = std::chrono::steady_clock::now();
    action();
    QApplication::processEvents(); // the repaint of the lists belongs to the action
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return {what, took.count(), StatusBytes("VmHWM:")};
}

double SecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return took.count();
}

// The core steps of the open and save actions one by one, to show where an action's time goes.
void ReportSteps(const std::string& source, const std::string& target) {
    std::string bytes;
    const double read = SecondsOf([&] { platform::ReadWholeFile(source, bytes); });
    std::size_t entries = 0;
    const double split = SecondsOf([&] { entries = SplitNetData(std::move(bytes), source).entries.size(); });
    NetData data;
    const double load = SecondsOf([&] { data = LoadNetData(source); });
    std::string text;
    const double build = SecondsOf([&] {
        NetDataText(data.entries, data.sections)([&text](std::string_view piece) { text.append(piece); });
    });
    const double write = SecondsOf([&] {
        std::ofstream out(target, std::ios::binary);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    });
    const double save = SecondsOf([&] {
        NewFile file(target, [&](const TextSink& sink) { sink(text); });
        file.PutInPlace();
    });
    std::printf("where the time goes (%zu entries):\n", entries);
    std::printf("  read the whole file                 %8.3f s\n", read);
    std::printf("  find its sections and entries       %8.3f s\n", split);
    std::printf("  LoadNetData: read, sections, entries%8.3f s\n", load);
    std::printf("  build the new text                  %8.3f s\n", build);
    std::printf("  write it, no flush                  %8.3f s\n", write);
    std::printf("  the safe save: write, fsync, rename %8.3f s\n", save);
}

double Mb(std::uintmax_t bytes) {
    return static_cast<double>(bytes) / 1e6;
}

// The core's load and save of every entry, elsewhere: the peak resident memory above what the
// program held before, against the file's size plus the entry texts.
void ReportMemory(const char* input, const std::string& source, const std::string& target) {
    const std::uintmax_t fileSize = std::filesystem::file_size(source);
    const std::uintmax_t before = StatusBytes("VmRSS:");
    ResetPeak();
    std::size_t entryBytes = 0;
    const double seconds = SecondsOf([&] {
        const NetData data = LoadNetData(source);
        for (const std::string& entry : data.entries) {
            entryBytes += entry.size();
        }
        SaveNetData(target, source, data.entries, {}, data.sections);
    });
    const std::uintmax_t above = StatusBytes("VmHWM:") - before;
    std::printf("load + save, %s: %.1f MB in %.2f s, peak %.1f MB above before = %4.2fx file "
                "(target <= 1.1x file + entry texts, %.1f KB)\n",
                input, Mb(fileSize), seconds, Mb(above),
                static_cast<double>(above) / static_cast<double>(fileSize),
                static_cast<double>(entryBytes) / 1e3);
    std::filesystem::remove(target);
}

} // namespace
} // namespace netedit::bench

int main(int argc, char** argv) {
    using namespace netedit;
    using namespace netedit::bench;
    netedit::bench::UseOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    testing::TempDir dir;
    testing::TempDir elsewhere;
    const std::string source = dir.file("OBN.NET");
    const std::string target = elsewhere.file("OBN.NET");
    const std::uintmax_t fileSize = WriteStressFile(source);
    constexpr int Sections = StressSections;
    constexpr long Lines = StressLines;

    testing::ScriptedDialogs dialogs;
    DualListWindow window(dialogs, ProgramFiles{dir.file("stress.INI"), {}, {}, {}});
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    QApplication::processEvents();
    const std::uintmax_t before = StatusBytes("VmRSS:");

    dialogs.openAnswers.push_back(source);
    dialogs.askAnswers = {results::Yes};
    dialogs.saveAnswers.push_back(target);
    const Measure measures[] = {
        Run("open: read, split, fill the left list", [&] { window.BitBtn1->click(); }),
        Run("\">>\" all 255 entries to the right", [&] { window.IncAllBtn->click(); }),
        Run("save: build, write safely, fsync", [&] { window.OKBtn->click(); }),
    };

    bool sound = window.DstList->count() == Sections && window.SrcList->count() == 0 &&
                 dialogs.failures.empty() && dialogs.notices.size() == 1 && SameBytes(source, target);
    std::printf("%d sections, %ld lines, %.1f MB; before the first action %.1f MB resident\n", Sections,
                Lines, Mb(fileSize), Mb(before));
    double longest = 0;
    std::uintmax_t peak = 0;
    for (const Measure& m : measures) {
        std::printf("%-44s %8.3f s  peak %7.1f MB = %4.2fx file  (target <= 1 s)\n", m.what, m.seconds,
                    Mb(m.peak), static_cast<double>(m.peak) / static_cast<double>(fileSize));
        longest = std::max(longest, m.seconds);
        peak = std::max(peak, m.peak);
    }
    std::printf("longest unresponsive stretch %.3f s (target <= 1 s), peak memory %.1f MB = %.2fx file "
                "(target < 3x)\n",
                longest, Mb(peak), static_cast<double>(peak) / static_cast<double>(fileSize));
    ReportSteps(source, elsewhere.file("STEPS.NET"));
    std::filesystem::remove(elsewhere.file("STEPS.NET"));
    ReportMemory("200 MB of ordinary lines", source, elsewhere.file("MEMORY.NET"));
    const std::string blank = dir.file("BLANK.NET");
    WriteEmptyLinesFile(blank);

    ReportMemory("empty lines", blank, elsewhere.file("BLANK.NET"));
    std::filesystem::remove(blank);
    if (!sound) {
        std::printf("unexpected result: %zu left, %zu right, %zu failures, saved file %s\n",
                    window.SrcList->count(), window.DstList->count(), dialogs.failures.size(),
                    SameBytes(source, target) ? "equal" : "different");
        return 1;
    }
    return 0;
}
