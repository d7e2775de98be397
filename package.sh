#!/usr/bin/env bash
# Builds the Debian package build/release/obrazor_<version>_<arch>.deb from the release build
# (the programs only, no tests or benchmarks).
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/install-package-deps.sh
cmake --preset release >/dev/null
cmake --build --preset package -j "$(nproc)"
cpack --preset package
