# Wine for the Windows checks, sourced by scripts/test-windows.sh and test-windows-program.sh.
# wine64 runs the 64-bit programs; Wine's own messages and its .NET and HTML installers stay off.
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# new_wine_prefix FOLDER: a fresh Wine prefix set up as a Chinese Windows (the program's own
# language, and the regional settings its update lists are written in), with its server kept
# running until the script ends. The server and Wine's own services start here, away from any
# test's output pipes: started by a test, they would hold its output open and ctest would wait
# for them until its timeout.
new_wine_prefix() {
  "$wineserver" -k 2>/dev/null || true # the server of the prefix before, or of an earlier run
  export WINEPREFIX=$1
  rm -rf "$WINEPREFIX"
  # The server refuses a prefix folder that does not exist yet; wineboot fills a new one.
  mkdir -p "$WINEPREFIX"
  LC_ALL=zh_CN.UTF-8 "$wineserver" -p </dev/null >/dev/null
  trap '"$wineserver" -k 2>/dev/null || true' EXIT
  if ! LC_ALL=zh_CN.UTF-8 "$wine" wineboot --init </dev/null >"$WINEPREFIX.log" 2>&1; then
    echo "Wine could not set up its prefix $WINEPREFIX:" >&2
    cat "$WINEPREFIX.log" >&2
    exit 1
  fi
}
