#!/usr/bin/env bash
# The EXIF reading benchmark against exiv2.
exec "$(dirname "$0")/../run-bench.sh" exif_bench exif "$@"
