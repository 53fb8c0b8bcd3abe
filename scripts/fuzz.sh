#!/usr/bin/env bash
# Builds the file readers' fuzz targets with clang and runs each on a copy of its corpus.
# Usage: scripts/fuzz.sh [seconds per target] (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTALVAIR_BUILD_GUI=OFF -DTALVAIR_BUILD_BENCH=OFF
cmake --build "$build" --target saved_game_fuzz survey_links_fuzz
for target in saved_game:corpus survey_links:survey_links_corpus; do
  name="${target%%:*}"
  corpus="${target#*:}"
  work="$build/${name}_corpus"
  mkdir -p "$work"
  cp -n tests/fuzz/"$corpus"/* "$work"/
  "$build/tests/fuzz/${name}_fuzz" -max_total_time="${1:-60}" -max_len=8192 "$work"
done
