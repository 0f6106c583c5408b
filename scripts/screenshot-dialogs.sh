#!/usr/bin/env bash
# Takes PNG pictures of the confirmation box and the error box into docs/, drawn by the X11
# platform of a virtual X server. BUILD_DIR chooses the build folder (default: build/).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing: run scripts/install-deps.sh" >&2; exit 1; }
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target app_tests
mkdir -p "$root/docs"
NETEDIT_SCREENSHOT_DIR="$root/docs" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
    "$build/tests/app_tests" --gtest_filter='DialogScreenshots.*'
ls -l "$root/docs/confirm-box.png" "$root/docs/error-box.png"
