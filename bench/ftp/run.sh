#!/usr/bin/env bash
# Publishing 1,000 files by FTP against lftp.
exec "$(dirname "$0")/../run-bench.sh" ftp_publish_bench ftp "$@"
