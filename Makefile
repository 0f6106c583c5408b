# make run   — installs what is missing, builds, starts the editor
# make test  — installs what is missing, builds, runs every test
# make bench — optimised build, then the benchmarks

BUILD := build/default
RELEASE := build/release

.PHONY: all deps build run test bench release clean

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

bench: release
	@cmake --build --preset release --target benchmarks
	@scripts/run-benchmarks.sh $(RELEASE)

clean:
	rm -rf build
