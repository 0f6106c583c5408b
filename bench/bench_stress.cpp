// A 200 MB net data file of 255 sections and 5,000,000 lines through the real window: open, ">>"
// and save into another directory. Each action runs on the interface thread, so its wall time is
// how long the window stays unresponsive; the process's peak memory is set against the file size.
#include "app/dual_list_window.h"
#include "bench/bench_timer.h"
#include "editor/user_dialogs.h"
#include "netdata/net_data.h"
#include "netdata/net_data_writer.h"
#include "runtime/codec.h"
#include "runtime/line_list.h"
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

constexpr int Sections = 255;
constexpr long Lines = 5'000'000;
constexpr std::size_t LineBytes = 38; // 40 with CR LF: 200 MB in all

// One entry per section, so the saved file is as large as the loaded one. Its headers already
// count from 0 in order, so a save of every entry in load order gives back the very same bytes.
// Written in pieces: building it in memory would count towards the peak being measured.
std::uintmax_t WriteStressFile(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    std::string chunk;
    long written = 0;
    const long perSection = Lines / Sections;
    for (int s = 0; s < Sections; ++s) {
        const long inSection = s + 1 == Sections ? Lines - written : perSection;
        chunk.append("[").append(std::to_string(s)).append("]\r\n");
        chunk.append(EncodeCp932("Name=接続先" + std::to_string(s))).append("\r\n");
        for (long i = 2; i < inSection; ++i) {
            std::string line = "Memo" + std::to_string(written + i) + "=";
            line.resize(LineBytes, 'x');
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
    std::size_t lines = 0;
    const double split = SecondsOf([&] { lines = SplitLines(std::move(bytes)).size(); });
    NetData data;
    const double load = SecondsOf([&] { data = LoadNetData(source); });
    std::string text;
    const double build = SecondsOf([&] { text = BuildNetDataText(data.entries, data.sections); });
    const double write = SecondsOf([&] {
        std::ofstream out(target, std::ios::binary);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    });
    const double save = SecondsOf([&] {
        NewFile file(target, [&](const TextSink& sink) { sink(text); });
        file.PutInPlace();
    });
    std::printf("where the time goes (%zu lines):\n", lines);
    std::printf("  read the whole file                 %8.3f s\n", read);
    std::printf("  split it into lines                 %8.3f s\n", split);
    std::printf("  LoadNetData: read, split, entries   %8.3f s\n", load);
    std::printf("  build the new text                  %8.3f s\n", build);
    std::printf("  write it, no flush                  %8.3f s\n", write);
    std::printf("  the safe save: write, fsync, rename %8.3f s\n", save);
}

double Mb(std::uintmax_t bytes) {
    return static_cast<double>(bytes) / 1e6;
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
    if (!sound) {
        std::printf("unexpected result: %zu left, %zu right, %zu failures, saved file %s\n",
                    window.SrcList->count(), window.DstList->count(), dialogs.failures.size(),
                    SameBytes(source, target) ? "equal" : "different");
        return 1;
    }
    return 0;
}
