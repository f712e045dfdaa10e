#!/usr/bin/env bash
# The batch actions benchmark: file dates and renames of 10,000 photos against exiftool.
exec "$(dirname "$0")/../run-bench.sh" batch_bench batch "$@"
