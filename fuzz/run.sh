#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# Builds the card-picture fuzzer with clang in build-fuzz/, gathers its seeds and runs it.
#
#   fuzz/run.sh [SECONDS]      default 1800; further runs resume from build-fuzz/corpus
#
# With GIFLIB_SOURCE set to giflib's source tree (`apt-get source giflib`, deb-src enabled), the
# decoder itself is instrumented too.
# Inputs that crash, leak, hang or use too much memory land in build-fuzz/finds/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz
seconds=${1:-1800}

CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORVEL_FUZZ=ON -DKORVEL_BUILD_TESTS=OFF -DKORVEL_BUILD_BENCH=OFF \
  -DKORVEL_FUZZ_GIFLIB_SOURCE="${GIFLIB_SOURCE:-}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target card_picture_fuzzer korvel_seed_shapes card_faces >/dev/null

# Seeds: our own faces, the hand-made shapes, and every file the suite keeps as a regression.
shopt -s nullglob
mkdir -p "$build/seeds" "$build/corpus" "$build/finds"
"$build/korvel_seed_shapes" "$build/seeds"
cp "$build"/cards/*.gif "$root"/tests/pictures/*.gif "$build/seeds/"

exec "$build/card_picture_fuzzer" "$build/corpus" "$build/seeds" \
  -max_total_time="$seconds" -timeout=5 -malloc_limit_mb=64 -rss_limit_mb=2048 \
  -artifact_prefix="$build/finds/" -print_final_stats=1
