#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang in build-fuzz and runs each for a while. The stored corpus
# (fuzz/corpus/<name>/) seeds a run and is not changed; new inputs go to build-fuzz/fuzz-runs/<name>/, the log
# to build-fuzz/fuzz-runs/<name>.log, and a finding to build-fuzz/findings/. Exits non-zero when a harness
# does not build, finds something, or the fuzz build lets undefined behaviour pass.
# Every fuzz/<name>.cpp is a harness; none is listed here.
# With --merge, what a run found that reaches code the stored corpus does not is merged into fuzz/corpus/<name>/
# afterwards (only inputs up to 16 KB, so that the corpus stays small enough to keep in the repository).
# Usage: scripts/fuzz.sh [--merge] [SECONDS [HARNESS...]]   (5 seconds and every harness by default; 0 only builds)
set -euo pipefail
cd "$(dirname "$0")/.."

merge=0
if [ "${1:-}" = "--merge" ]; then
  merge=1
  shift
fi
seconds=${1:-5}
shift || true
build=build-fuzz
scripts/setup.sh "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DZELPH_FUZZ=ON -DZELPH_BUILD_TESTS=OFF -DZELPH_BUILD_BENCH=OFF
cmake --build "$build" --target fuzzers

# AddressSanitizer keeps up to 256 MB of freed memory aside, which counts against the 512 MB limit of a run
# although the code under test holds none of it: a smaller quarantine keeps the limit about the code.
export ASAN_OPTIONS="quarantine_size_mb=64${ASAN_OPTIONS:+:$ASAN_OPTIONS}"

out=${ZELPH_FUZZ_OUT:-$PWD/$build}  # another folder keeps long runs apart from the short ones of test.sh
runs=$out/fuzz-runs
findings=$out/findings
mkdir -p "$runs" "$findings"

# The build's sanitizers must make undefined behaviour a finding, not a message that scrolls by.
printf overflow >"$runs/undefined-behaviour.input"
if "$build/fuzz/fuzz_check_undefined_behaviour" "$runs/undefined-behaviour.input" >"$runs/undefined-behaviour.log" 2>&1; then
  echo "fuzz build: undefined behaviour did not stop the run (see $runs/undefined-behaviour.log)" >&2
  exit 1
fi

[ "$seconds" -gt 0 ] || exit 0  # built and checked only (libFuzzer would take 0 as no time limit)

# The largest input each harness is given: packs, pictures and documents need room for the bombs that
# fuzz/corpus seeds them with (the pack whose entry inflates to 65 MiB is 66 KB).
max_len() {
  case $1 in
    config_pack_open) echo 2097152 ;;
    config_ino_load) echo 1048576 ;;
    gfx_image_decode | ui_gui_document) echo 65536 ;;
    *) echo 4096 ;;
  esac
}

if [ $# -eq 0 ]; then
  set -- $(cd fuzz && ls *.cpp | grep -v '^replay_main' | sed 's/\.cpp$//')
fi
status=0
for name in "$@"; do
  mkdir -p "$runs/$name"
  log=$runs/$name.log
  if "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -rss_limit_mb=512 -timeout=30 \
    -max_len="$(max_len "$name")" -print_final_stats=1 -artifact_prefix="$findings/$name-" \
    "$runs/$name" "fuzz/corpus/$name" >"$log" 2>&1; then
    echo "fuzz_$name: $(grep -a 'DONE' "$log" | tail -1 | sed 's/^#\([0-9]*\)[[:space:]]*DONE[[:space:]]*/\1 runs, /')"
    if [ "$merge" -eq 1 ]; then
      mkdir -p "fuzz/corpus/$name"
      before=$(ls "fuzz/corpus/$name" | wc -l)
      if ! "$build/fuzz/fuzz_$name" -merge=1 -rss_limit_mb=512 -timeout=30 -max_len=16384 \
        -artifact_prefix="$findings/$name-" "fuzz/corpus/$name" "$runs/$name" >"$runs/$name.merge.log" 2>&1; then
        echo "fuzz_$name: FINDING while merging (log $runs/$name.merge.log)" >&2
        status=1
      fi
      find "fuzz/corpus/$name" -type f -size +16k -newer "$log" -delete
      echo "fuzz_$name: $(( $(ls "fuzz/corpus/$name" | wc -l) - before )) new inputs in fuzz/corpus/$name"
    fi
  else
    echo "fuzz_$name: FINDING (log $log, input in $findings/)" >&2
    grep -a -A20 'ERROR\|runtime error\|SUMMARY' "$log" | head -40 >&2 || true
    status=1
  fi
done
exit $status
