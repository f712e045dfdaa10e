#!/usr/bin/env bash
# Installs what is missing, builds Quillmarsh with AddressSanitizer and
# UndefinedBehaviorSanitizer, warnings as errors, and runs every test.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
build="$top/build/test"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DQUILLMARSH_SANITIZE=ON -DQUILLMARSH_WERROR=ON > /dev/null
cmake --build "$build" ${QUILLMARSH_JOBS:+-j "$QUILLMARSH_JOBS"}
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 600
