#!/usr/bin/env bash
# Installs lftp when missing (the benchmark's own dependency), builds the
# benchmark in release mode and runs it.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
if ! command -v lftp > /dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get install -y -qq --no-install-recommends lftp
fi
build="$top/build/bench"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQUILLMARSH_BENCH=ON -DQUILLMARSH_TESTS=OFF > /dev/null
cmake --build "$build" --target ftp_publish_bench ${QUILLMARSH_JOBS:+-j "$QUILLMARSH_JOBS"}
"$build/bench/ftp/ftp_publish_bench"
