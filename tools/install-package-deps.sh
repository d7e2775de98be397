#!/usr/bin/env bash
# Installs the Debian packages that making and checking the Debian package need, when any is
# missing: its icons are drawn from the SVG, CPack reads the libraries' packages, and the checks
# validate the desktop entry, the AppStream file and the package, and start the program.
set -euo pipefail
packages=(librsvg2-bin  # rsvg-convert: the PNG icons
          dpkg-dev file  # dpkg-shlibdeps and the ELF test that CPack runs before it
          lintian desktop-file-utils appstream
          xvfb xauth man-db  # the installed program started on a virtual display; its manual page
          fonts-liberation2 fonts-crosextra-carlito fonts-crosextra-caladea fonts-urw-base35 fonts-symbola fonts-dejavu-core)  # the package's fonts
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
