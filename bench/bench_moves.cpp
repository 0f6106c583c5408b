// The moves between the lists and the restore at 100,000 entries, through the window's buttons,
// against filling the left list with the same entries.
#include "app/dual_list_window.h"
#include "bench/bench_timer.h"
#include "netdata/net_data.h"
#include "runtime/codec.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <cstdio>
#include <fstream>
#include <memory>

namespace netedit::bench {
namespace {

constexpr int Sections = 250;
constexpr int EntriesPerSection = 400; // 100,000 entries in all
constexpr int Runs = 5;

std::string WriteSample(const testing::TempDir& dir) {
    std::string text;
    for (int s = 0; s < Sections; ++s) {
        text += "[" + std::to_string(s) + "]\r\nTel=03-0000-0000\r\n";
        for (int i = 0; i < EntriesPerSection; ++i) {
            text += "Name=接続先" + std::to_string(s * EntriesPerSection + i) + "\r\n";
        }
    }
    const std::string path = dir.file("OBN.NET");
    std::ofstream(path, std::ios::binary) << EncodeCp932(text);
    return path;
}

class MoveBench {
public:
    explicit MoveBench(const testing::TempDir& dir) : dir_(dir), path_(WriteSample(dir)) {}

    void run() {
        const std::vector<std::string> entries = LoadNetData(path_).entries;
        std::vector<std::string> filling;
        const double fill = BestSeconds(
            Runs,
            [&] {
                freshWindow();
                filling = entries;
            },
            [&] {
                window_->SrcList->append(std::move(filling));
                QApplication::processEvents();
            });
        const std::size_t all = entries.size();
        expectCounts(all, 0);
        std::vector<std::size_t> everySecond;
        for (std::size_t i = 0; i < entries.size(); i += 2) {
            everySecond.push_back(i);
        }

        const double includeAll = timeClick([] {}, [this] { return window_->IncAllBtn; });
        expectCounts(0, all);
        const double excludeAll =
            timeClick([this] { window_->IncAllBtn->click(); }, [this] { return window_->ExAllBtn; });
        expectCounts(all, 0);
        const double include = timeClick([&] { window_->SrcList->selectPositions(everySecond); },
                                         [this] { return window_->IncludeBtn; });
        expectCounts(all - everySecond.size(), everySecond.size());
        const double restore = timeClick(
            [&] {
                window_->SrcList->selectPositions(everySecond);
                window_->IncludeBtn->click();
            },
            [this] { return window_->CancelBtn; });
        expectCounts(all, 0);

        // ~50,000 chosen of ~100,000 dropped into the middle of a list of 1,000; then Alt+Up over
        // 50,000 scattered chosen entries of the right list.
        std::vector<std::size_t> firstThousand;
        for (std::size_t i = 0; i < 1000; ++i) {
            firstThousand.push_back(i);
        }
        const double drop = timeWork(
            [&] {
                window_->SrcList->selectPositions(firstThousand);
                window_->IncludeBtn->click();
                window_->SrcList->selectPositions(everySecond);
                window_->dialog().BeginDrag(Control::SrcList);
            },
            [this] {
                window_->dialog().Drop({Control::DstList, 5001, 0, 10, 300});
            });
        expectCounts((all - 1000) / 2, all - (all - 1000) / 2); // every second of the 99,000 left
        const double raise = timeWork(
            [&] {
                window_->IncAllBtn->click();
                window_->DstList->selectPositions(everySecond);
                window_->DstList->setFocus();
            },
            [this] { window_->dialog().KeyDown(Key::Up, {.alt = true}); });
        expectCounts(0, all);

        std::printf("%zu entries\n", entries.size());
        Report("fill the left list (baseline)", fill, fill, "-");
        Report("\">>\" all to the right", includeAll, fill, "<= 1x, < 0.2 s");
        Report("\"<<\" all back to the left", excludeAll, fill, "<= 1x, < 0.2 s");
        Report("\">\" every second entry selected", include, fill, "<= 1x, < 0.2 s");
        Report("restore after \">\" (half on each side)", restore, fill, "<= 1x, < 0.2 s");
        Report("drop 50,000 chosen into a list's middle", drop, fill, "< 0.1 s");
        Report("Alt+Up over 50,000 scattered chosen", raise, fill, "< 0.1 s");
    }

private:
    // A press that did nothing would be timed as fast: say so.
    void expectCounts(std::size_t left, std::size_t right) const {
        if (window_->SrcList->count() != left || window_->DstList->count() != right) {
            std::printf("unexpected lists: %zu left, %zu right\n", window_->SrcList->count(),
                        window_->DstList->count());
        }
    }

    void freshWindow() {
        window_.reset();
        window_ =
            std::make_unique<DualListWindow>(dialogs_, ProgramFiles{dir_.file("bench.INI"), {}, {}, {}});
        window_->show();
        (void)QTest::qWaitForWindowExposed(window_.get());
        QApplication::processEvents();
    }

    // Best time of one button press, on a freshly loaded window brought into shape by `prepare`.
    template <typename Prepare, typename Button> double timeClick(Prepare prepare, Button button) {
        return timeWork(prepare, [&] { button()->click(); });
    }

    template <typename Prepare, typename Work> double timeWork(Prepare prepare, Work work) {
        return BestSeconds(
            Runs,
            [&] {
                freshWindow();
                dialogs_.openAnswers.push_back(path_);
                window_->BitBtn1->click();
                prepare();
                QApplication::processEvents();
            },
            [&] {
                work();
                QApplication::processEvents();
            });
    }

    const testing::TempDir& dir_;
    std::string path_;
    testing::ScriptedDialogs dialogs_;
    std::unique_ptr<DualListWindow> window_;
};

} // namespace
} // namespace netedit::bench

int main(int argc, char** argv) {
    netedit::bench::UseOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    netedit::testing::TempDir dir;
    netedit::bench::MoveBench(dir).run();
    return 0;
}
