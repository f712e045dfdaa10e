#!/usr/bin/env bash
# The generate command over 200 large photos against lazygal and fgallery
# (Debian packages, needed by this benchmark only; fgallery wants
# liblcms2-utils too), with vipsthumbnail for the
# image sizes alone:
#   bench/generate/run.sh [work folder]
# The work folder (the current one by default) needs about 1.5 GB.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/../../scripts/install-deps.sh" lazygal fgallery liblcms2-utils libvips-tools
exec "$here/../run-bench.sh" gallery_generate_bench generate "$@"
