#!/usr/bin/env bash
# Renders the main window and its help at 1x and 2x into docs/screenshots/<language>/ on Qt's offscreen platform,
# against a fresh virtual remote in a temporary folder (your own remote's state stays untouched).
# Usage: scripts/screenshots.sh [build folder] [language]   (defaults: build, zh; or en)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
language=${2:-zh}
tool=$build/bin/qmv718-screenshots
if [ ! -x "$tool" ]; then
  echo "no $tool: build the project first (cmake --build $build)" >&2
  exit 1
fi
remote=$(mktemp -d)
trap 'rm -rf "$remote"' EXIT
out=$top/docs/screenshots/$language
for scale in 1 2; do
  # A new remote for every scale, so both show the same keys.
  rm -rf "${remote:?}"/*
  QMV718_REMOTE_DIR=$remote QMV718_LANG=$language QT_QPA_PLATFORM=offscreen "$tool" "$out" "$scale"
done
