#!/usr/bin/env bash
# Builds the BMP decoder's fuzz target (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs it briefly from the committed corpus.
# For a longer run: BMP_FUZZ_SECONDS=600 bash scripts/checks/bmp_fuzz.sh
set -euo pipefail

top=$(cd "$(dirname "$0")/../.." && pwd)
out="$top/build/fuzz"
mkdir -p "$out"
seconds=${BMP_FUZZ_SECONDS:-20}

clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$top/src" "$top/tests/capture/fuzz/bmp_decode_fuzz.cpp" "$top/src/capture/bmp_codec.cpp" \
    -o "$out/bmp_decode_fuzz"

# New inputs go to a scratch folder; the committed corpus stays as it is.
work="$out/bmp_corpus"
rm -rf "$work"
mkdir -p "$work"
if "$out/bmp_decode_fuzz" -max_total_time="$seconds" -max_len=4096 -artifact_prefix="$out/" \
    "$work" "$top/tests/capture/fuzz/bmp_corpus" >"$out/bmp_fuzz.log" 2>&1; then
    echo "bmp_fuzz: $(grep -E '^Done [0-9]+ runs' "$out/bmp_fuzz.log" | tail -n 1)"
else
    tail -n 40 "$out/bmp_fuzz.log" >&2
    echo "bmp_fuzz: FAILED" >&2
    exit 1
fi
