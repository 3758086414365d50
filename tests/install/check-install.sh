#!/usr/bin/env bash
# Checks an installed tree as a user meets it: the program folder complete, the launchers leading
# into it, the desktop files accepted by their validators, and the program and the CLI started from
# the prefix, from another folder, keeping the virtual remote's state in the user's data folder.
#
#   check-install.sh [--install BUILD] [--without-help] PREFIX APP_ID
#
# --install BUILD  first install the build folder BUILD into PREFIX (emptied before)
# --without-help   the build was configured without the help file
set -euo pipefail

build=""
help_file=studyhelp.chm
while [ $# -gt 0 ]; do
  case $1 in
    --install) build=$2; shift 2 ;;
    --without-help) help_file=""; shift ;;
    *) break ;;
  esac
done
if [ $# -ne 2 ]; then
  echo "usage: $0 [--install BUILD] [--without-help] PREFIX APP_ID" >&2
  exit 2
fi
prefix=$(realpath -m "$1")
app_id=$2

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

if [ -n "$build" ]; then
  rm -rf "$prefix"
  cmake --install "$build" --prefix "$prefix" >/dev/null
fi

program_dir=$prefix/lib/qmv718

# --- The program folder: everything the program loads by file name, together --------------------
for file in qmv718 qmv718-cli qmv718-verify; do
  [ -x "$program_dir/$file" ] || fail "$program_dir/$file is missing or not executable"
done
for file in tavrio.dll velquon.dll on1803.dll sn1803.dll fn1803.dll bn1803.dll dn1803.dll $help_file; do
  [ -s "$program_dir/$file" ] || fail "$program_dir/$file is missing or empty"
done
[ -s "$program_dir/translations/qmv718_en.qm" ] || fail "the English translation is missing from $program_dir/translations"

# --- Launchers ------------------------------------------------------------------------------------
for program in qmv718 qmv718-cli; do
  launcher=$prefix/bin/$program
  if [ ! -L "$launcher" ]; then
    fail "$launcher is not a link into the program folder"
  elif [ "$(readlink -f "$launcher")" != "$(readlink -f "$program_dir/$program")" ]; then
    fail "$launcher leads to $(readlink -f "$launcher"), not into $program_dir"
  fi
done

# --- Desktop entry, metainfo and icons -------------------------------------------------------------
desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
icons=$prefix/share/icons/hicolor
if [ -f "$desktop" ]; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
  exec_line=$(sed -n 's/^Exec=//p' "$desktop")
  [ -x "$prefix/bin/${exec_line%% *}" ] || fail "the desktop entry starts '$exec_line', which $prefix/bin lacks"
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  [ "$icon" = "$app_id" ] || fail "the desktop entry names the icon '$icon', not $app_id"
else
  fail "$desktop is missing"
fi
if [ -f "$metainfo" ]; then
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
else
  fail "$metainfo is missing"
fi
[ -s "$icons/scalable/apps/$app_id.svg" ] || fail "the scalable icon is missing"
for size in 16 32 48 64 128 256; do
  [ -s "$icons/${size}x${size}/apps/$app_id.png" ] || fail "the ${size}x${size} icon is missing"
done

# --- Started from the prefix ------------------------------------------------------------------------
# A scratch home with nothing set that points elsewhere: the virtual remote must find its state
# folder under the user's data folder, and nothing may be written into the program folder.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/elsewhere"
program_files_before=$(find "$program_dir" -printf '%p %s %T@\n' | sort)
as_user() {
  (cd "$scratch/elsewhere" &&
    env -u QMV718_REMOTE_DIR -u XDG_DATA_HOME -u QMV718_BIN_DIR HOME="$scratch/home" "$@")
}

if ! status=$(as_user "$prefix/bin/qmv718-cli" remote status 2>&1); then
  fail "qmv718-cli remote status: $status"
fi
if ! info=$(as_user "$prefix/bin/qmv718-cli" info 2>&1); then
  fail "qmv718-cli info: $info"
fi
# The installed programs find their translations: English on request, Chinese by default.
help_en=$(as_user "$prefix/bin/qmv718-cli" --lang en --help 2>&1) || true
case $help_en in
  *"Usage:"*"Learn one key"*) ;;
  *) fail "qmv718-cli --lang en --help is not in English: $help_en" ;;
esac
case $help_en in
  *"cannot be read"*) fail "qmv718-cli does not find its translation: $help_en" ;;
esac
help_zh=$(as_user env -u QMV718_LANG -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG=C.UTF-8 "$prefix/bin/qmv718-cli" --help 2>&1) || true
case $help_zh in
  *"用法"*) ;;
  *) fail "qmv718-cli --help under the C locale is not in Chinese: $help_zh" ;;
esac
state=$scratch/home/.local/share/qmv718/remote
[ -s "$state/image.bin" ] || fail "the virtual remote's memory is not in $state"

# The window on Qt's offscreen platform: it must come up and stay up until it is stopped.
rc=0
as_user env QT_QPA_PLATFORM=offscreen QMV718_LANG=en timeout 6 "$prefix/bin/qmv718" >"$scratch/window.log" 2>&1 || rc=$?
if [ "$rc" -ne 124 ]; then
  fail "the window ended by itself (exit $rc) instead of running: $(cat "$scratch/window.log")"
fi
if grep -q "cannot be read" "$scratch/window.log"; then
  fail "the window does not find its translation: $(cat "$scratch/window.log")"
fi

[ "$program_files_before" = "$(find "$program_dir" -printf '%p %s %T@\n' | sort)" ] ||
  fail "running the program changed its program folder"

if [ "$failures" -gt 0 ]; then
  echo "$failures problem(s) in the installation at $prefix" >&2
  exit 1
fi
echo "installation at $prefix: complete, valid, and runs from the prefix"
