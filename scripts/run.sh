#!/usr/bin/env bash
# Installs what is needed, builds the tool and starts it on its built-in virtual remote.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/configure.sh
bash scripts/setup.sh

build=${QMV718_BUILD:-build}
qmv718_configure "$build" -DCMAKE_BUILD_TYPE=Release -DQMV718_TESTS=OFF -DQMV718_BENCH=OFF
cmake --build "$build" -j "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no screen here (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "Run the tool on a virtual screen instead:  xvfb-run -a -s '-screen 0 1280x1024x24' bash scripts/run.sh" >&2
  exit 2
fi
exec "$build/bin/qmv718" "$@"
