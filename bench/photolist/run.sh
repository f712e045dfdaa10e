#!/usr/bin/env bash
# A folder of 10,000 photos into the main window's photo list against exiv2.
exec "$(dirname "$0")/../run-bench.sh" photolist_bench photolist "$@"
