// Reading the settings at start: a damaged settings file of 2 GB (sparse, so it takes no disk)
// against a normal one of two lines, through the settings reader and through the window's start.
#include "app/dual_list_window.h"
#include "bench/bench_timer.h"
#include "editor/settings_file.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>

namespace netedit::bench {
namespace {

constexpr off_t HugeBytes = off_t{2} << 30;
const std::string Settings = "SrcFile=/home/u/OBN.NET\r\nDstFile=/home/u/NEW.NET\r\n";

void WriteSettingsFile(const std::string& path, off_t length) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, Settings.data(), Settings.size()) != static_cast<ssize_t>(Settings.size()) ||
        ::ftruncate(fd, length) != 0 || ::close(fd) != 0) {
        std::perror(path.c_str());
        std::exit(1);
    }
}

void CompareStarts(const std::string& small, const std::string& huge) {
    const auto nothing = [] {};
    const auto read = [](const std::string& path) {
        return [path] {
            RememberedPaths paths;
            ReadSettings(path, paths);
            if (paths.source.empty()) {
                std::exit(1); // the keys at the start of the file must still be read
            }
        };
    };
    const double readSmall = BestSeconds(5, nothing, read(small));
    const double readHuge = BestSeconds(5, nothing, read(huge));

    testing::ScriptedDialogs dialogs;
    const auto start = [&dialogs](const std::string& path) {
        return [&dialogs, path] {
            DualListWindow window(dialogs, ProgramFiles{path, {}, {}, {}});
            window.show();
            QApplication::processEvents();
        };
    };
    const double startSmall = BestSeconds(5, nothing, start(small));
    const double startHuge = BestSeconds(5, nothing, start(huge));

    std::printf("settings file of %zu bytes against one of %lld bytes (sparse)\n", Settings.size(),
                static_cast<long long>(HugeBytes));
    Report("ReadSettings, two lines (baseline)", readSmall, readSmall, "-");
    Report("ReadSettings, 2 GB", readHuge, readSmall, "< 0.1 s added");
    Report("window start, two-line settings (baseline)", startSmall, startSmall, "-");
    Report("window start, 2 GB settings", startHuge, startSmall, "< 0.1 s added");
    std::printf("added by the 2 GB file: %.6f s to the read, %.6f s to the start\n", readHuge - readSmall,
                startHuge - startSmall);
}

} // namespace
} // namespace netedit::bench

int main(int argc, char** argv) {
    netedit::bench::UseOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    netedit::testing::TempDir dir;
    const std::string small = dir.file("small.INI");
    const std::string huge = dir.file("huge.INI");
    netedit::bench::WriteSettingsFile(small, static_cast<off_t>(netedit::bench::Settings.size()));
    netedit::bench::WriteSettingsFile(huge, netedit::bench::HugeBytes);
    netedit::bench::CompareStarts(small, huge);
    return 0;
}
