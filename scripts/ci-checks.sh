#!/usr/bin/env bash
# The code checks CI runs after the suite, on the build folder the suite made (build/ or
# $WEXLO_BUILD_DIR, which holds compile_commands.json):
#   1. every source file is named in a CMakeLists.txt (sources are listed, not globbed);
#   2. no clang-format difference over src tests bench (.clang-format);
#   3. clang-tidy clean over src/ (the checks chosen in .clang-tidy).
# `scripts/ci-checks.sh --format` formats the tree in place instead (what check 2 asks for).
# WEXLO_CHECKS picks some of them, e.g. WEXLO_CHECKS="lists format" leaves clang-tidy out.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${WEXLO_BUILD_DIR:-build}"
jobs="$(nproc)"
checks="${WEXLO_CHECKS:-lists format tidy}"
format_tool=clang-format-14
tidy_tool=clang-tidy-14

sources() { find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print | LC_ALL=C sort; }

if [ "${1:-}" = "--format" ]; then
  sources | xargs "$format_tool" -i
  exit 0
fi

failed=0

# A file counts as listed when the nearest CMakeLists.txt above it names its path relative to
# that folder, or that path without ".cpp" (one program per file: bench/, tests/fuzz/).
if [[ " $checks " == *" lists "* ]]; then
  echo "== lists: every source file in a CMakeLists.txt"
  unlisted=0
  while read -r file; do
    d="$(dirname "$file")"
    while [ ! -f "$d/CMakeLists.txt" ]; do d="$(dirname "$d")"; done
    rel="${file#"$d"/}"
    stem="${rel%.cpp}"
    found=0
    for name in "$rel" "$stem"; do
      pattern="(^|[[:space:](])${name//./\\.}([[:space:])]|$)"
      if grep -Eq "$pattern" "$d/CMakeLists.txt"; then found=1; fi
    done
    if [ "$found" = 0 ]; then
      echo "$file is not listed in $d/CMakeLists.txt"
      unlisted=1
    fi
  done < <(sources)
  [ "$unlisted" = 0 ] || failed=1
fi

if [[ " $checks " == *" format "* ]]; then
  echo "== format: $format_tool over src tests bench"
  differ=()
  while read -r file; do
    "$format_tool" "$file" | cmp -s - "$file" || differ+=("$file")
  done < <(sources)
  if [ "${#differ[@]}" -gt 0 ]; then
    for file in "${differ[@]}"; do echo "$file differs from its formatting"; done
    # The first differences, to show what is asked for.
    for file in "${differ[@]:0:3}"; do
      "$format_tool" "$file" | diff -u "$file" - | head -n 40 || true
    done
    echo "${#differ[@]} file(s) not formatted; scripts/ci-checks.sh --format formats them"
    failed=1
  fi
fi

if [[ " $checks " == *" tidy "* ]]; then
  echo "== tidy: $tidy_tool over src/ ($jobs jobs)"
  if [ ! -f "$dir/compile_commands.json" ]; then
    echo "$dir/compile_commands.json is missing: build first (scripts/test.sh)"
    exit 1
  fi
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  # clang cannot read gcc's precompiled headers, and the umbrella headers in them would triple
  # the time: each file is checked with the includes it names itself.
  sed -E 's#-Winvalid-pch -include [^ ]*/cmake_pch\.hxx##g' "$dir/compile_commands.json" \
    >"$work/compile_commands.json"
  log="$work/tidy.log"
  start=$SECONDS
  # Each file on its own, so that the findings of one are printed together.
  if ! find src -name '*.cpp' -print | LC_ALL=C sort |
      xargs -P "$jobs" -n 1 "$tidy_tool" -p "$work" --quiet >"$log" 2>&1; then
    grep -E '(warning|error):' "$log" | LC_ALL=C sort -u || cat "$log"
    echo "clang-tidy found $(grep -E '(warning|error):' "$log" | LC_ALL=C sort -u | wc -l) finding(s)"
    failed=1
  fi
  echo "clang-tidy took $((SECONDS - start)) s"
fi

exit "$failed"
