#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing netedit need.
# Does nothing when they are all present already. `install-deps.sh fuzz` adds what fuzzing needs.
set -euo pipefail
# The last line serves `make e2e`'s screen reader: a D-Bus session, the accessibility bus and
# Python's client of it, and xprop to set the desktop's font resolution.
packages=(build-essential cmake ninja-build qt6-base-dev libgtest-dev libgmock-dev
          xvfb xauth fonts-ipafont-gothic xdotool x11-apps netpbm
          dbus at-spi2-core python3-pyatspi x11-utils)
# "fuzz" adds clang with its libFuzzer and sanitizer runtimes, which only `make fuzz` needs.
if [ "${1:-}" = fuzz ]; then
    packages+=(clang libclang-rt-14-dev)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
