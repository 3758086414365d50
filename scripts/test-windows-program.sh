#!/usr/bin/env bash
# Checks the Windows program as a user meets it, under wine64 (scripts/test-windows.sh runs it):
#  1. its window's screenshots, drawn on Windows, match the Linux ones in size;
#  2. the installer, run silently into a fresh Wine prefix, installs a program whose command line
#     reads the virtual remote; the uninstaller removes all of it but the user's data;
#  3. the Linux command line, with the maker-style 64-bit Windows libraries in its folder, reaches
#     them through the Windows link bridge under Wine.
# Usage: test-windows-program.sh X86_64_BUILD HOST_BUILD
set -euo pipefail
cd "$(dirname "$0")/.."
x64=$(realpath "$1")
host=$(realpath "$2")
source scripts/wine-prefix.sh
# The window runs on Qt's offscreen platform, which on Windows draws with the font files of one
# folder: this machine's Chinese font. Wine passes WINEQT_x on as QT_x and no QT_ variable.
export WINEQT_QPA_PLATFORM=offscreen WINEQT_QPA_FONTDIR=Z:/usr/share/fonts/truetype/wqy
scratch=$x64/program-checks
rm -rf "$scratch"
mkdir -p "$scratch"

fail() {
  echo "FAILED: $*" >&2
  exit 1
}


# ---- 1. Screenshots --------------------------------------------------------------------------------
new_wine_prefix "$scratch/prefix-screenshots"
shots=$x64/screenshots
rm -rf "$shots"
for scale in 1 2; do
  remote=$scratch/remote-$scale
  mkdir -p "$remote"
  QMV718_REMOTE_DIR="Z:$remote" QMV718_LANG=zh "$wine" "$x64/bin/qmv718-screenshots.exe" "Z:$shots" "$scale" </dev/null
done
shown=0
for linux in docs/screenshots/zh/*.png; do
  name=$(basename "$linux")
  [ -f "$shots/$name" ] || fail "the Windows screenshots lack $name"
  size_linux=$(file -b "$linux" | grep -o '[0-9]* x [0-9]*')
  size_windows=$(file -b "$shots/$name" | grep -o '[0-9]* x [0-9]*')
  [ "$size_linux" = "$size_windows" ] || fail "$name is $size_windows on Windows, $size_linux on Linux"
  shown=$((shown + 1))
done
echo "screenshots: $shown pictures drawn on Windows, each the size of its Linux twin ($shots)"

# ---- 2. Installer ----------------------------------------------------------------------------------
installer=$(ls "$x64"/qmv718-setup-*-x64.exe)
new_wine_prefix "$scratch/prefix-install"
target='C:\users\Public\QMV718-test'
target_unix=$WINEPREFIX/drive_c/users/Public/QMV718-test
"$wine" "$installer" /S "/D=$target" </dev/null
for file in qmv718.exe qmv718-cli.exe qmv718-verify.exe qmv718-linkbridge-win32.exe tavrio.dll velquon.dll \
  studyhelp.chm qt.conf Qt6Core.dll platforms/qwindows.dll tls/qschannelbackend.dll uninstall.exe; do
  [ -f "$target_unix/$file" ] || fail "the installation lacks $file"
done
start_menu=$(find "$WINEPREFIX/drive_c/users" -path '*Start Menu*' -name 'QMV-718.lnk' | head -n 1)
[ -n "$start_menu" ] || fail "the installer made no Start-menu entry"
"$wine" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\qmv718' >/dev/null 2>&1 ||
  fail "the installer did not register its uninstaller"

info=$("$wine" "$target\\qmv718-cli.exe" info </dev/null | tr -d '\r')
head -n 3 <<<"$info" | sed 's/^/  installed qmv718-cli.exe info: /'
grep -q '^model: *QMV-718' <<<"$info" || fail "the installed qmv718-cli.exe did not read the virtual remote"


# The window, started from the installation, runs until it is closed. It runs offscreen, where it
# has no window of Windows' to close, so it is ended as Windows ends a program that does not answer.
"$wine" "$target\\qmv718.exe" </dev/null >"$scratch/window.log" 2>&1 &
window=$!
sleep 10
kill -0 "$window" 2>/dev/null || fail "the installed qmv718.exe did not keep running: $(cat "$scratch/window.log")"
"$wine" taskkill /F /IM qmv718.exe >/dev/null 2>&1 || fail "the installed qmv718.exe could not be closed"
for _ in $(seq 30); do
  kill -0 "$window" 2>/dev/null || break
  sleep 1
done
! kill -0 "$window" 2>/dev/null || fail "the installed qmv718.exe is still running"
echo "  installed qmv718.exe: started, ran for 10 s, closed"

data=$(find "$WINEPREFIX/drive_c/users" -maxdepth 4 -type d -path '*AppData/Local/qmv718' | head -n 1)
[ -n "$data" ] && [ -d "$data" ] || fail "the program kept no data under %LOCALAPPDATA%\\qmv718"
# The uninstaller runs a copy of itself from the temporary folder, so that it can remove itself;
# the call returns before that copy is done.
"$wine" "$target\\uninstall.exe" /S </dev/null
for _ in $(seq 60); do
  [ -e "$target_unix" ] || break
  sleep 1
done
[ ! -e "$target_unix" ] || fail "the uninstaller left $(find "$target_unix" | head -n 5)"
[ ! -e "$start_menu" ] || fail "the uninstaller left the Start-menu entry"
! "$wine" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\qmv718' >/dev/null 2>&1 ||
  fail "the uninstaller left its registry entry"
[ -d "$data" ] || fail "the uninstaller removed the user's data"
echo "installer: $(du -h "$installer" | cut -f1) $(basename "$installer"); installed, used, uninstalled, the user's data kept"

# ---- 3. The Linux program with Windows libraries ---------------------------------------------------
# The 64-bit Windows build of the virtual remote, then the maker-style test libraries (which are no
# remote: the command line reads their identity and refuses the model), in the Linux program's folder.
new_wine_prefix "$scratch/prefix-bridge"
linux_program() {
  local folder=$scratch/linux-program-$1
  mkdir -p "$folder"
  cp "$host/bin/qmv718-cli" "$host/bin/qmv718-linkbridge-win32.exe" "$host/bin/qmv718-linkbridge-win64.exe" "$folder/"
  cp -r "$host/bin/translations" "$2/tavrio.dll" "$2/velquon.dll" "$folder/"
  echo "$folder/qmv718-cli"
}
cli=$(linux_program virtual "$x64/bin")
info=$(QMV718_WINE=$wine QMV718_REMOTE_DIR="Z:$scratch/remote-bridge" QMV718_LANG=en "$cli" info </dev/null)
head -n 3 <<<"$info" | sed 's/^/  Linux qmv718-cli info, Windows virtual remote: /'
grep -q '^model: *QMV-718' <<<"$info" || fail "the Linux qmv718-cli did not read the Windows virtual remote through Wine"
[ -d "$scratch/remote-bridge" ] || fail "the Windows virtual remote kept no state where it was told"

cli=$(linux_program maker "$x64/bin/maker")
refusal=$(QMV718_WINE=$wine QMV718_LANG=en "$cli" info 2>&1 </dev/null) && fail "a maker-style library passed for a QMV-718"
echo "  Linux qmv718-cli info, maker-style library: $refusal"
grep -q 'does not support' <<<"$refusal" || fail "the Linux qmv718-cli did not reach the maker-style Windows library"
echo "Linux program with 64-bit Windows libraries: reached through the Windows bridge under Wine"
