#!/usr/bin/env bash
# Builds ORVANDEL and runs every test: once in a normal build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz targets briefly over
# their seed corpora under clang. Fails when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

cmake --preset dev
cmake --build --preset dev -j "$jobs"
ctest --preset dev -j "$jobs"

cmake --preset sanitize
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"

cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs"
ctest --preset fuzz
