#!/usr/bin/env bash
# Builds the project and runs every test through CTest.
# Usage: ./test.sh [preset]   (default, asan or release; default: default)
set -euo pipefail
cd "$(dirname "$0")"
preset=${1:-default}
tools/install-deps.sh
if [ -z "${OBRAZOR_TESTDATA:-}" ] && [ -d ../shared/testdata ]; then
  export OBRAZOR_TESTDATA="$(cd ../shared/testdata && pwd)"
fi
export QT_QPA_PLATFORM=offscreen
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
ctest --preset "$preset" -j "$(nproc)"
