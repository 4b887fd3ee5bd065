#!/usr/bin/env bash
# Set-up and build (scripts/setup.sh), then every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j"$(nproc)"
