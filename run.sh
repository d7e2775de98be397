#!/usr/bin/env bash
# Builds the program (no tests or benchmarks) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
# Once configured, the build itself notices a changed CMakeLists.txt and configures again.
[ -f build/release/CMakeCache.txt ] || cmake --preset release >/dev/null
cmake --build --preset program -j "$(nproc)"
exec build/release/app/obrazor "$@"
