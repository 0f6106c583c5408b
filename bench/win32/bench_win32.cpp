// The Windows program's speed: loading and saving through Windows' own file calls against reading
// and writing the same bytes once, and the window's native lists filled and moved at 100,000
// entries against filling the left list. Every ratio is to a baseline timed in the same run.
#include "bench/bench_timer.h"
#include "bench/net_data_sample.h"
#include "netdata/net_data.h"
#include "netdata/net_data_writer.h"
#include "runtime/codec.h"
#include "runtime/platform.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "win32/dual_list_window.h"
#include "win32/entry_list_box.h"
#include "win32/wide_text.h"

#include <commctrl.h>
#include <cstring>
#include <filesystem>
#include <memory>
#include <psapi.h>
#include <windows.h>

namespace netedit::bench {
namespace {

constexpr int Runs = 5;

std::size_t CountLines(const std::string& bytes) {
    std::size_t lines = 0;
    for (const char *p = bytes.data(), *end = p + bytes.size();
         const void *found = std::memchr(p, '\n', static_cast<std::size_t>(end - p));) {
        ++lines;
        p = static_cast<const char*>(found) + 1;
    }
    return lines;
}

// One CreateFileW and one WriteFile, with the flush to disk that a safe save needs too.
void WriteOnce(const std::string& path, const std::string& bytes, bool flush) {
    const std::wstring wide = win32::WideOfCp932(path);
    const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        std::printf("write failed\n");
    }
    if (flush) {
        ::FlushFileBuffers(file);
    }
    ::CloseHandle(file);
}

void BenchLoadAndSave(const testing::TempDir& dir) {
    const std::string path = dir.file("OBN.NET");
    testing::WriteFileBytes(path, EncodeCp932(MakeNetData(255, 1'000'000, 10)));
    std::size_t sink = 0;
    const double read = BestSeconds(
        Runs, [] {},
        [&] {
            std::string bytes;
            platform::ReadWholeFile(path, bytes);
            sink += CountLines(bytes);
        });
    const double load = BestSeconds(
        Runs, [] {}, [&] { sink += LoadNetData(path).entries.size(); });
    std::printf("255 sections, 1,000,000 lines (%zu)\n", sink % 10);
    Report("read + count lines with memchr (baseline)", read, read, "-");
    Report("LoadNetData: read, sections, entries", load, read, "<= 1.25x");

    // Every entry writes its whole section: one entry per section writes all the lines again.
    const std::string source = dir.file("ONE.NET");
    // Numbered from 0 in order with CR LF line ends: saved whole, the file is itself again.
    const std::string text = EncodeCp932(MakeNetData(255, 1'000'000, 1'000'000));
    testing::WriteFileBytes(source, text);
    const NetData data = LoadNetData(source);
    const std::string target = dir.file("NEW.NET");
    const double flushed = BestSeconds(
        Runs, [] {}, [&] { WriteOnce(target, text, true); });
    const double save = BestSeconds(
        Runs, [] {}, [&] { SaveNetData(target, source, data.entries, {}, data.sections); });
    std::printf("%zu entries on the right, %zu bytes to write\n", data.entries.size(), text.size());
    Report("one WriteFile + FlushFileBuffers (baseline)", flushed, flushed, "-");
    Report("SaveNetData: build + safe write + flush", save, flushed, "<= 1.15x");
}

// The working set in bytes: now, or the highest it has been. Windows cannot start a new peak, so
// these rows run first, the smaller file before the larger.
std::size_t WorkingSet(bool peak) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize;
}

// The core's load and save of every entry: the peak working set above what the program held
// before, against the file's size plus the entry texts.
void ReportMemory(const char* input, const std::string& source, const std::string& target) {
    const double fileSize = static_cast<double>(std::filesystem::file_size(source));
    const std::size_t before = WorkingSet(false);
    std::size_t entryBytes = 0;
    {
        const NetData data = LoadNetData(source);
        for (const std::string& entry : data.entries) {
            entryBytes += entry.size();
        }
        SaveNetData(target, source, data.entries, {}, data.sections);
    }
    const auto above = static_cast<double>(WorkingSet(true) - before);
    std::printf("load + save, %s: %.1f MB, peak %.1f MB above before = %4.2fx file (target <= 1.1x file + "
                "entry texts, %.1f KB)\n",
                input, fileSize / 1e6, above / 1e6, above / fileSize, static_cast<double>(entryBytes) / 1e3);
    std::filesystem::remove(target);
    std::filesystem::remove(source);
}

void BenchMemory(const testing::TempDir& dir) {
    WriteStressFile(dir.file("LARGE.NET"));
    ReportMemory("200 MB of ordinary lines", dir.file("LARGE.NET"), dir.file("LARGE2.NET"));
    WriteEmptyLinesFile(dir.file("BLANK.NET"));
    ReportMemory("empty lines", dir.file("BLANK.NET"), dir.file("BLANK2.NET"));
}

// The window as a user has it: opened on a file of 100,000 entries, its controls pressed with the
// messages a click sends.
class MoveBench {
public:
    explicit MoveBench(const testing::TempDir& dir) : dir_(dir) {
        std::string text;
        for (int s = 0; s < 250; ++s) {
            text += "[" + std::to_string(s) + "]\r\nTel=03-0000-0000\r\n";
            for (int i = 0; i < 400; ++i) {
                text += "Name=接続先" + std::to_string(s * 400 + i) + "\r\n";
            }
        }
        path_ = dir.file("MOVES.NET");
        testing::WriteFileBytes(path_, EncodeCp932(text));
    }

    void run() {
        const std::vector<std::string> entries = LoadNetData(path_).entries;
        const std::size_t all = entries.size();
        std::vector<std::string> filling;
        std::unique_ptr<win32::EntryListBox> list;
        const double fill = BestSeconds(
            Runs,
            [&] {
                freshWindow();
                list = std::make_unique<win32::EntryListBox>(window_->hwnd(), 999, L"");
                filling = entries;
            },
            [&] {
                list->append(std::move(filling));
                pump();
            });
        const double strings = BestSeconds(
            Runs, [&] { freshWindow(); }, [&] { fillStrings(entries); });
        list.reset();

        const double open = timePress([] {}, Control::BitBtn1, false);
        expect(all, 0);
        const double includeAll = timePress([] {}, Control::IncAllBtn);
        expect(0, all);
        const double excludeAll = timePress([this] { press(Control::IncAllBtn); }, Control::ExAllBtn);
        expect(all, 0);
        const double include = timePress([this] { selectEverySecond(); }, Control::IncludeBtn);
        expect(all - all / 2, all / 2);
        const double restore = timePress(
            [this] {
                selectEverySecond();
                press(Control::IncludeBtn);
            },
            Control::CancelBtn);
        expect(all, 0);
        // ~50,000 chosen of ~100,000 dropped into the middle of a list of 1,000; then Alt+Up over
        // 50,000 scattered chosen entries of the right list.
        const double drop = timeWork(
            [this] {
                ::SendMessageW(at(Control::SrcList), LB_SELITEMRANGEEX, 0, 999);
                press(Control::IncludeBtn);
                selectEverySecond();
                window_->dialog().BeginDrag(Control::SrcList);
            },
            [this] {
                window_->dialog().Drop({Control::DstList, 5001, 0, 10, 300});
            });
        expect((all - 1000) / 2, all - (all - 1000) / 2); // every second of the 99,000 left
        const double raise = timeWork(
            [this] {
                press(Control::IncAllBtn);
                selectEverySecond(Control::DstList);
                ::SetFocus(at(Control::DstList));
            },
            [this] { window_->dialog().KeyDown(Key::Up, {.alt = true}); });
        expect(0, all);

        std::printf("%zu entries\n", all);
        Report("fill the left list (baseline)", fill, fill, "-");
        Report("the same as LB_ADDSTRING strings, redraw off", strings, fill, "-");
        Report("open, load and show in the left list", open, fill, "< 0.3 s");
        Report("\">>\" all to the right", includeAll, fill, "<= 1x, < 0.2 s");
        Report("\"<<\" all back to the left", excludeAll, fill, "<= 1x, < 0.2 s");
        Report("\">\" every second entry selected", include, fill, "<= 1x, < 0.2 s");
        Report("restore after \">\" (half on each side)", restore, fill, "<= 1x, < 0.2 s");
        Report("drop 50,000 chosen into a list's middle", drop, fill, "< 0.1 s");
        Report("Alt+Up over 50,000 scattered chosen", raise, fill, "< 0.1 s");
    }

private:
    HWND at(Control control) const { return window_->hwndOf(control); }

    void pump() {
        ::RedrawWindow(window_->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&message);
        }
    }

    void freshWindow() {
        window_.reset();
        window_ = std::make_unique<win32::DualListWindow>(dialogs_,
                                                          ProgramFiles{dir_.file("bench.INI"), {}, {}, {}});
        ::ShowWindow(window_->hwnd(), SW_SHOW);
        pump();
    }

    void press(Control control) {
        ::SendMessageW(at(control), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ::SendMessageW(at(control), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        pump();
    }

    void selectEverySecond(Control which = Control::SrcList) {
        const HWND list = at(which);
        // Drawn once at the end: row by row, Wine takes minutes over 50,000 rows. Even so each row
        // costs Wine a trip to its server, so this preparation takes seconds; the timed press not.
        ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        for (WPARAM row = 0; row < static_cast<WPARAM>(::SendMessageW(list, LB_GETCOUNT, 0, 0)); row += 2) {
            ::SendMessageW(list, LB_SETSEL, TRUE, static_cast<LPARAM>(row));
        }
        ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        ::SendMessageW(window_->hwnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
    }

    // A plain list box of the same entries as strings, for comparison with the program's own list.
    void fillStrings(const std::vector<std::string>& entries) {
        const HWND list = ::CreateWindowExW(0, L"LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | LBS_EXTENDEDSEL,
                                            0, 0, 200, 200, window_->hwnd(), nullptr, nullptr, nullptr);
        ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        for (const std::string& entry : entries) {
            const std::wstring wide = win32::WideOfCp932(entry);
            ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        }
        ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        pump();
    }

    // Best time of one press on a freshly opened window brought into shape by `prepare`.
    template <typename Prepare> double timePress(Prepare prepare, Control control, bool opened = true) {
        return timeWork(
            prepare, [this, control] { press(control); }, opened);
    }

    template <typename Prepare, typename Work>
    double timeWork(Prepare prepare, Work work, bool opened = true) {
        return BestSeconds(
            Runs,
            [&] {
                freshWindow();
                dialogs_.openAnswers.push_back(path_);
                if (opened) {
                    press(Control::BitBtn1);
                }
                prepare();
            },
            [&] {
                work();
                pump();
            });
    }

    // A press that did nothing would be timed as fast: say so.
    void expect(std::size_t left, std::size_t right) const {
        const auto rows = [this](Control list) {
            return static_cast<std::size_t>(::SendMessageW(at(list), LB_GETCOUNT, 0, 0));
        };
        if (rows(Control::SrcList) != left || rows(Control::DstList) != right) {
            std::printf("unexpected lists: %zu left, %zu right\n", rows(Control::SrcList),
                        rows(Control::DstList));
        }
    }

    const testing::TempDir& dir_;
    std::string path_;
    testing::ScriptedDialogs dialogs_;
    std::unique_ptr<win32::DualListWindow> window_;
};

} // namespace
} // namespace netedit::bench

int main() {
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ); // each line as it comes, through Wine's pipe too
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    netedit::testing::TempDir dir;
    netedit::bench::BenchMemory(dir);
    netedit::bench::BenchLoadAndSave(dir);
    netedit::bench::MoveBench(dir).run();
    return 0;
}
