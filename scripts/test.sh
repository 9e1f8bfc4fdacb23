#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset linux
cmake --build --preset linux
ctest --preset linux
