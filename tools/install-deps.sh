#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libjpeg62-turbo-dev libjpeg-turbo-progs
          libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core fonts-dejavu-extra
          # metafile text: faces with the advances of Arial, Times New Roman, Courier New
          # (Liberation), Calibri (Carlito), Cambria (Caladea), Symbol and the PostScript faces
          # (URW), and the pictographs of Wingdings and Webdings (Symbola)
          fonts-liberation2 fonts-crosextra-carlito fonts-crosextra-caladea fonts-urw-base35 fonts-symbola
          liblcms2-dev
          libpng-dev libwebp-dev libheif-dev  # PNG, WebP and HEIC input
          webp libheif-examples  # encoders the format tests make their files with
          mate-backgrounds   # real photographs for the decoder's reference tests
          imagemagick colord-data libgs-common  # photos tagged with colour profiles in the tests
          libpng-dev  # PNG-compressed icon images
          clang-tools-14  # an icon file shipped by Debian, read by the icon tests
          valgrind  # the JPEG decoder's row writing, which the sanitizers cannot see
          clang-format  # the format check of CI (tools/check-format.sh)
          xvfb openbox xdotool x11-utils  # the window tests on a real X server with a window manager
          libgif-dev)  # giflib: the GIF tests' independent reader (ImageMagick above makes their files)
"$(dirname "$0")/install-packages.sh" "${packages[@]}"
