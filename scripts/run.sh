#!/usr/bin/env bash
# Installs what is missing, builds Quillmarsh and starts it with the given arguments.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build/release" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMARSH_TESTS=OFF > /dev/null
cmake --build "$top/build/release"
exec "$top/build/release/app/quillmarsh" "$@"
