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
"$(dirname "$0")/install-packages.sh" "${packages[@]}"
