#!/usr/bin/env bash
# The places window over a places file of 2,000,000 places.
exec "$(dirname "$0")/../run-bench.sh" places_bench places "$@"
