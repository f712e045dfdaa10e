#!/usr/bin/env bash
# Installs the Debian packages that are missing: those named as arguments, or
# with none the list of scripts/debian-packages.txt.
# Safe to run again: with everything present it changes nothing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

wanted=("$@")
if [ ${#wanted[@]} -eq 0 ]; then
  while read -r pkg; do
    case "$pkg" in ''|'#'*) continue ;; esac
    wanted+=("$pkg")
  done < "$here/debian-packages.txt"
fi

missing=()
for pkg in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$pkg")
done

[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
