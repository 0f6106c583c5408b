#!/usr/bin/env bash
# Leaves a settings file beside the built program that points the open dialog at the sample,
# but only where the program has no settings file yet: a user's own is never replaced.
set -euo pipefail
settings=$1
sample=$(realpath "$2")
[ -e "$settings" ] && exit 0
printf 'SrcFile=%s\r\nDstFile=\r\n' "$sample" | iconv -f UTF-8 -t CP932 > "$settings"
