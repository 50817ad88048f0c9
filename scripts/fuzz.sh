#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer into
# build-fuzz/ and runs each for SECONDS (default 60) on its seed corpus. Exits non-zero when a
# target does not build or a run finds a crash, leak or undefined behaviour; the failing input
# is left in build-fuzz/findings/.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
kyv_install_packages clang

SECONDS_PER_TARGET="${1:-60}"
FUZZ_BUILD="$KYV_ROOT/build-fuzz"
TARGETS=(fuzz_kyvfile fuzz_projectjson fuzz_textmerge)
declare -A SEEDS=(
  [fuzz_kyvfile]="$KYV_ROOT/tests/data/bad_kyv"
  [fuzz_projectjson]="$KYV_ROOT/tests/data/json"
  [fuzz_textmerge]="$KYV_ROOT/tests/data/merge"
)

CC=clang CXX=clang++ cmake -S "$KYV_ROOT" -B "$FUZZ_BUILD" -DKYV_BUILD_GUI=OFF \
  -DCMAKE_CXX_FLAGS='-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -g -O1'
cmake --build "$FUZZ_BUILD" -j "$(nproc)" --target "${TARGETS[@]}"

mkdir -p "$FUZZ_BUILD/findings"
for target in "${TARGETS[@]}"; do
  corpus="$FUZZ_BUILD/corpus/$target"
  mkdir -p "$corpus"
  echo "== $target: $SECONDS_PER_TARGET s"
  "$FUZZ_BUILD/tests/fuzz/$target" "$corpus" "${SEEDS[$target]}" \
    -max_total_time="$SECONDS_PER_TARGET" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$FUZZ_BUILD/findings/$target-"
done
