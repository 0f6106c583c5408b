# make run   — installs what is missing, builds, starts the editor
# make test  — installs what is missing, builds, runs every test
# make bench — optimised build, then the benchmarks
# make test-asan — the tests again, under AddressSanitizer and UndefinedBehaviorSanitizer
# make fuzz  — clang build of the fuzz targets, each run FUZZ_SECONDS (FUZZ_JOBS at a time)
# make e2e   — the whole program driven in a virtual X server (NETEDIT_SCREENSHOTS=docs renews the pictures)
# make package — the Debian package, build/release/netedit_<version>_amd64.deb
# make package-check — the package checked, installed, driven as installed and removed again (as root)
# make windows — the Windows program, cross-built: build/windows/netedit.exe
# make test-windows — the core's and the window's tests cross-built for Windows, run under Wine
# make dist-windows — build/windows/netedit-VERSION-windows-x64.zip: netedit.exe, its read-mes (Japanese, English) and the copyright notice
# make bench-windows — the Windows benchmarks, cross-built and run under Wine (load, save, the lists at 100,000 entries)
# make e2e-windows — the Windows program under Wine, driven through its real dialogs (NETEDIT_SCREENSHOTS=docs renews its picture)

BUILD := build/default
RELEASE := build/release
FUZZ_SECONDS ?= 600
FUZZ_JOBS ?= 1
WINDOWS := build/windows

.PHONY: all deps build run test bench release clean e2e test-asan fuzz package package-check windows test-windows e2e-windows bench-windows dist-windows

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default

release: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release

# The first run finds the sample file ready in the open dialog.
run: release
	@scripts/seed-settings.sh $(RELEASE)/netedit.INI examples/OBN.NET
	@$(RELEASE)/netedit

test: build
	@ctest --preset default

test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	@ctest --preset asan

fuzz:
	@scripts/install-deps.sh fuzz
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@scripts/run-fuzzers.sh build/fuzz $(FUZZ_SECONDS) $(FUZZ_JOBS)

e2e: build
	@tests/e2e/run.sh $(BUILD)/netedit

package: release
	@cmake --build --preset release --target package_files
	@cpack --config $(RELEASE)/CPackConfig.cmake -B $(RELEASE) >/dev/null
	@ls $(RELEASE)/netedit_*_amd64.deb

package-check: package
	@tests/package/check.sh $(RELEASE)/netedit_*_amd64.deb $(RELEASE)/netedit

bench: release
	@cmake --build --preset release --target benchmarks
	@scripts/run-benchmarks.sh $(RELEASE)

windows:
	@scripts/install-deps.sh windows
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows

test-windows: windows
	@cmake --build $(WINDOWS) --target core_tests win32_tests
	@GTEST_BRIEF=1 scripts/run-windows-tests.sh $(WINDOWS)/tests/core_tests.exe $(WINDOWS)/tests/win32_tests.exe

bench-windows: windows
	@cmake --build $(WINDOWS) --target benchmarks
	@scripts/run-windows-tests.sh $(WINDOWS)/bench/win32/bench_win32.exe

# The Linux build gives the drag source that drops a file on the window, as a file manager would.
e2e-windows: windows build
	@tests/e2e-windows/run.sh $(WINDOWS)/netedit.exe

dist-windows: windows
	@scripts/dist-windows.sh $(WINDOWS)

clean:
	rm -rf build
