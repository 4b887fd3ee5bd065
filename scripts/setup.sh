#!/usr/bin/env bash
# Installs the Debian packages the tool set needs (only those missing), then
# configures and builds everything in Release into build/ (executables in build/bin/).
set -euo pipefail
cd "$(dirname "$0")/.."

# libhwy-dev carries the optimiser's SIMD kernels; qt6-charts-dev draws the run window's
# search chart; the install test validates the desktop entries with desktop-file-utils;
# clang, its runtimes (libFuzzer, sanitizers) and llvm-symbolizer serve the checking builds;
# the Python module talvo needs pybind11 and NumPy, its batch studies Dask distributed, its
# tests pytest and its example study matplotlib.
packages=(g++ cmake make libgtest-dev libgmock-dev libbenchmark-dev libhwy-dev qt6-base-dev qt6-charts-dev
          fonts-dejavu-core desktop-file-utils clang libclang-rt-14-dev llvm
          python3-dev python3-pybind11 pybind11-dev python3-numpy python3-pytest
          python3-distributed python3-matplotlib)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi

BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release
cmake --build "$BUILD_DIR" -j"$(nproc)"
