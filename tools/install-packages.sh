#!/usr/bin/env bash
# Installs those of the Debian packages named as arguments that are missing (as root, or through sudo).
set -euo pipefail
packages=("$@")
# One query for them all: a second run of ./run.sh should not wait for the package database.
declare -A installed=()
while read -r state name; do
  [ "$state" = installed ] && installed[$name]=1
done < <(dpkg-query -W -f='${db:Status-Status} ${Package}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
  [ -n "${installed[$p]:-}" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
