#!/usr/bin/env bash
# Builds ORVANDEL and starts the desktop program from the folder that holds
# document.txt, which the Documentation command reads.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev -j "$(nproc)" --target orvandel orvandel-cli
exec build/src/gui/orvandel "$@"
