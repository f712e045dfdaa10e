#!/usr/bin/env bash
# Builds and runs the photo list benchmark in an optimised build of its own.
# Installs exiv2 (and Google Benchmark, which the other benchmarks of the
# folder need to configure) when missing; the test run needs neither.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
missing=()
for pkg in libbenchmark-dev libexiv2-dev; do
  [ "$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)" = "install ok installed" ] ||
    missing+=("$pkg")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
build="$top/build/bench"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMARSH_BENCH=ON \
  -DQUILLMARSH_TESTS=OFF > /dev/null
cmake --build "$build" --target photolist_bench ${QUILLMARSH_JOBS:+-j "$QUILLMARSH_JOBS"}
QT_QPA_PLATFORM=offscreen "$build/bench/photolist/photolist_bench" "$@"
