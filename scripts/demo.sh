#!/usr/bin/env bash
# Sets everything up, builds the plug-in and the host stand-in, and runs the demo.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32
scripts/wine-run.sh --init
echo "demo: not yet"
