#!/usr/bin/env bash
# The gallery images of 200 large photos against vipsthumbnail, and a second
# run over the unchanged photos. vipsthumbnail (Debian libvips-tools) is
# needed by this benchmark only.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/../../scripts/install-deps.sh" libvips-tools
exec "$here/../run-bench.sh" gallery_images_bench gallery "$@"
