#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer
# in its own build directory (build-asan) and runs it without a display. Any
# report fails the run.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ZEM_ASAN_BUILD_DIR:-$root/build-asan}"
"$root/tools/install-deps.sh"

if [ ! -f "$build/CMakeCache.txt" ]; then
  # Debug: the sanitizers see the code as written, and it compiles fastest.
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DZEM_SANITIZE=ON >/dev/null
fi
cmake --build "$build" -j"$(nproc)"

# Leaks are checked too: the suite leaks nothing at exit, Qt included, so no
# suppressions are needed.
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
