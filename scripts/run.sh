#!/usr/bin/env bash
# Installs what is missing, builds Quillmarsh and starts it with the given
# arguments. QUILLMARSH_JOBS, when set, limits the build's parallel jobs.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build/release" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMARSH_TESTS=OFF > /dev/null
cmake --build "$top/build/release" ${QUILLMARSH_JOBS:+-j "$QUILLMARSH_JOBS"}
exec "$top/build/release/app/quillmarsh" "$@"
