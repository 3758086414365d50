#!/usr/bin/env bash
# Installs what is needed, builds the test configuration (warnings on, AddressSanitizer and
# UndefinedBehaviorSanitizer, clang-tidy) and runs every test on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

build=${QMV718_TEST_BUILD:-build-test}
cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DQMV718_SANITIZE=ON -DQMV718_CLANG_TIDY=${QMV718_CLANG_TIDY:-ON} \
  -DQMV718_TESTS=ON -DQMV718_BENCH=ON
cmake --build "$build" -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
