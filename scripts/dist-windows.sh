#!/usr/bin/env bash
# The Windows program as users get it: netedit.exe, its Japanese and English read-mes and the
# copyright notice in one zip file, named with the project's version (the Linux package's too).
# Usage: dist-windows.sh BUILD_DIR
set -euo pipefail
build=$(realpath "${1:?usage: dist-windows.sh BUILD_DIR}")
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "dist-windows: no version in $build/CMakeCache.txt" >&2; exit 1; }
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$build/netedit.exe" "$root/packaging/windows/readme-ja.txt" "$root/packaging/windows/readme-en.txt" "$stage/"
sed "s/\$/\r/" "$root/packaging/copyright" >"$stage/copyright.txt" # as Windows writes text
zip="$build/netedit-$version-windows-x64.zip"
rm -f "$zip"
(cd "$stage" && cmake -E tar cf "$zip" --format=zip netedit.exe readme-ja.txt readme-en.txt copyright.txt)
echo "$zip"
