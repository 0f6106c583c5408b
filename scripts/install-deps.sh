#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing netedit need.
# Does nothing when they are all present already. `install-deps.sh fuzz` adds what fuzzing needs,
# `install-deps.sh windows` what the Windows program needs.
set -euo pipefail
# The first line ends with Qt's Japanese translations, which the program loads whatever the
# locale. The third line serves `make e2e`'s screen reader: a D-Bus session, the accessibility
# bus and Python's client of it, and xprop to set the desktop's font resolution. The last line
# builds and checks the package: the icon's SVG writer, dpkg-shlibdeps, the three validators,
# and the desktop's file types as xdg-mime reads them.
packages=(build-essential cmake ninja-build qt6-base-dev libgtest-dev libgmock-dev qt6-translations-l10n
          xvfb xauth fonts-ipafont-gothic xdotool x11-apps netpbm
          dbus at-spi2-core python3-pyatspi x11-utils
          qt6-svg-dev dpkg-dev lintian desktop-file-utils appstream xdg-utils libfile-mimeinfo-perl)
# "fuzz" adds clang with its libFuzzer and sanitizer runtimes, which only `make fuzz` needs, and
# llvm-symbolizer, without which a finding's stack shows addresses instead of lines.
if [ "${1:-}" = fuzz ]; then
    packages+=(clang libclang-rt-14-dev llvm)
fi
# "windows" adds the MinGW-w64 cross compiler, Wine to run its tests, GoogleTest's sources to
# build the test framework for Windows, and the window manager, the clipboard tool and the
# window manager's remote (its close, as a task bar gives it) that drive the Windows program
# through its real dialogs.
if [ "${1:-}" = windows ]; then
    packages+=(g++-mingw-w64-x86-64-posix wine wine64 googletest openbox xclip wmctrl)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# Others may be installing at the same moment: wait for the lock rather than fail.
$sudo apt-get -o DPkg::Lock::Timeout=300 update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=300 install -y -qq \
    --no-install-recommends "${missing[@]}"
