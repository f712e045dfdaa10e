#!/usr/bin/env bash
# Builds and runs the batch actions benchmark in an optimised build of its
# own. Installs exiftool when missing, with the packages the other
# benchmarks of the folder need to configure; the test run needs none.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
missing=()
for pkg in libimage-exiftool-perl libbenchmark-dev libexiv2-dev; do
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
cmake --build "$build" --target batch_bench ${QUILLMARSH_JOBS:+-j "$QUILLMARSH_JOBS"}
"$build/bench/batch/batch_bench" "$@"
