#!/usr/bin/env bash
# Sets up, builds with AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test through ctest.
# Then, when clang is installed, builds the libFuzzer harnesses in build-fuzz and runs each for a few
# seconds (ZELPH_FUZZ_SECONDS, default 5; 0 builds them without running), so the fuzz build cannot break
# unnoticed.
# With --tsan: builds with ThreadSanitizer instead (in build-tsan) and runs the tests of the layers that run
# threads (platform, the SDL adapters, app) and the programs themselves.
set -euo pipefail
cd "$(dirname "$0")"

if [ "${1:-}" = "--tsan" ]; then
  scripts/setup.sh build-tsan -DCMAKE_BUILD_TYPE=Debug -DZELPH_TSAN=ON -DZELPH_BUILD_BENCH=OFF
  cmake --build build-tsan --target test_platform test_platform_sdl test_app zelph-vga zelph-qvga test_packs \
    sound_proof
  export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
  # The tests with a real window draw through SDL's own software renderer here: the system's OpenGL drivers
  # run threads and a JIT of their own whose locking ThreadSanitizer cannot see into.
  export SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0
  ctest --test-dir build-tsan --output-on-failure -j "$(nproc)" -R '^(platform|platform_sdl|app|program)\.'
  exit 0
fi

scripts/setup.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DZELPH_SANITIZE=ON
cmake --build build-asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j "$(nproc)"

if command -v clang++ >/dev/null 2>&1; then
  # The fuzzers report through their own exit status; the options above are for the test programs.
  unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS
  scripts/fuzz.sh "${ZELPH_FUZZ_SECONDS:-5}"
else
  echo "clang++ not found: the fuzz harnesses were neither built nor run"
fi
