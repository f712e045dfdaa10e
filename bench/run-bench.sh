#!/usr/bin/env bash
# Builds one benchmark in an optimised build of its own and runs it:
#   run-bench.sh <target> <folder> [arguments of the benchmark...]
# The packages every benchmark of this folder needs to configure (Google
# Benchmark, exiv2) and the tools they compare against are installed when
# missing; the test run needs none of them.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
target=$1 folder=$2
shift 2
"$top/scripts/install-deps.sh" libbenchmark-dev libexiv2-dev libimage-exiftool-perl lftp
build="$top/build/bench"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMARSH_BENCH=ON \
  -DQUILLMARSH_TESTS=OFF > /dev/null
cmake --build "$build" --target "$target" ${QUILLMARSH_JOBS:+-j "$QUILLMARSH_JOBS"}
QT_QPA_PLATFORM=offscreen "$build/bench/$folder/$target" "$@"
