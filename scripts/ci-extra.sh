#!/usr/bin/env bash
# The hardening checks: the whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer
# (preset "sanitize"), then every libFuzzer target (preset "fuzz") for a short run on a copy of
# its seed corpus, so that new inputs the fuzzer finds do not land in the repository.
# WEXLO_FUZZ_SECONDS sets the run of each fuzzer (default 10; the fuzzers have had their long
# runs, this one catches what a change breaks).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs="$(nproc)"
seconds="${WEXLO_FUZZ_SECONDS:-10}"

echo "== sanitize: build and test"
cmake --preset sanitize
cmake --build build-sanitize --parallel "$jobs"
(cd build-sanitize && ctest --output-on-failure --parallel "$jobs")

echo "== fuzz: build"
cmake --preset fuzz
cmake --build build-fuzz --parallel "$jobs"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A crashing input is kept where CI can pick it up, and named in the output.
artifacts="build-fuzz/artifacts"
mkdir -p "$artifacts"
failed=0
for fuzzer in build-fuzz/tests/fuzz/fuzz_*; do
  [ -f "$fuzzer" ] && [ -x "$fuzzer" ] || continue
  name="$(basename "$fuzzer")"
  corpus="tests/fuzz/corpus/${name#fuzz_}"
  mkdir -p "$work/$name"
  [ -d "$corpus" ] && cp -R "$corpus/." "$work/$name/"
  echo "== $name: ${seconds}s"
  # Each fuzzer keeps a throw-away application folder for its whole run; under $work it goes
  # with the rest.
  if ! TMPDIR="$work" "$fuzzer" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$artifacts/$name-" "$work/$name" >"$work/$name.log" 2>&1; then
    tail -n 60 "$work/$name.log"
    echo "$name FAILED; input kept under $artifacts/"
    failed=1
  else
    grep -E '^(stat::number_of_executed_units|#[0-9]+ +DONE)' "$work/$name.log" || true
  fi
done
exit "$failed"
