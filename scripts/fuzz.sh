#!/usr/bin/env bash
# Builds the saved-game reader's fuzz target with clang and runs it on a copy of its
# corpus. Usage: scripts/fuzz.sh [seconds] (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTALVAIR_BUILD_GUI=OFF -DTALVAIR_BUILD_BENCH=OFF
cmake --build "$build" --target saved_game_fuzz
work="$build/saved_game_corpus"
mkdir -p "$work"
cp -n tests/fuzz/corpus/* "$work"/
"$build/tests/fuzz/saved_game_fuzz" -max_total_time="${1:-60}" -max_len=8192 "$work"
