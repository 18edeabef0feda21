#!/usr/bin/env bash
# Sets the machine up if needed, builds the 32-bit programs and leaves the
# shippable files in dist/.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
bash "$ROOT/scripts/setup.sh"
source "$ROOT/scripts/lib/build-trees.sh"
mkdir -p "$ROOT/build"
build_win32 PELOR SETUP QuickTimeQts
make_dist
echo "build: dist/ holds $(cd "$ROOT/dist" && ls | tr '\n' ' ')"
