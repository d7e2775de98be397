#!/usr/bin/env bash
# Checks a built Debian package: unpacked into a temporary root, its obrazor-convert tells the
# package's version and converts a photo and a metafile (through the player module in its
# installed place, not the build folder's), its program answers --version and starts on a
# virtual screen, the desktop entry and the AppStream file validate, the files a desktop needs are
# there, and lintian finds no error (its warnings are listed).
# Usage: tools/check-package.sh build/release/obrazor_<version>_<arch>.deb   (needs OBRAZOR_TESTDATA)
set -euo pipefail
deb=$(realpath "$1")
testdata=${OBRAZOR_TESTDATA:?set OBRAZOR_TESTDATA to the conformance files}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
dpkg-deb -x "$deb" "$root"
version=$(dpkg-deb -f "$deb" Version)
fail() {
  echo "package check failed: $*" >&2
  exit 1
}

# The unpacked programs, run from where they lie.
[ "$("$root/usr/bin/obrazor-convert" --version)" = "obrazor-convert $version" ] ||
  fail "obrazor-convert --version does not say $version"
[ "$("$root/usr/bin/obrazor" --version)" = "obrazor $version" ] || fail "obrazor --version does not say $version"
module=$(find "$root/usr/lib" -name obrazor-metafile-player.so)
[ -n "$module" ] || fail "no metafile player module"
mkdir "$work/photos"
cp /usr/share/backgrounds/mate/nature/Dune.jpg "$testdata/emf/test-000.emf" "$work/photos/"
"$root/usr/bin/obrazor-convert" -j 1 "$work/photos" || fail "the unpacked obrazor-convert could not convert"
for output in Dune.LMV.jpg test-000.LMV.jpg; do
  [ -s "$work/photos/$output" ] || fail "$output was not written"
done
# The program starts with the package's files on a virtual screen and stays up.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 "$root/usr/bin/obrazor" "$work/photos/Dune.jpg" || status=$?
[ $status -eq 124 ] || fail "obrazor did not stay up (status $status)"

# What a desktop reads.
for file in usr/share/applications/example.datalesk.Obrazor.desktop \
            usr/share/metainfo/example.datalesk.Obrazor.metainfo.xml \
            usr/share/icons/hicolor/48x48/apps/obrazor.png usr/share/icons/hicolor/128x128/apps/obrazor.png \
            usr/share/icons/hicolor/256x256/apps/obrazor.png usr/share/icons/hicolor/scalable/apps/obrazor.svg \
            usr/share/man/man1/obrazor.1.gz usr/share/man/man1/obrazor-convert.1.gz \
            usr/share/doc/obrazor/copyright usr/share/kio/servicemenus/obrazor-convert.desktop \
            usr/share/nemo/actions/obrazor-convert.nemo_action; do
  [ -s "$root/$file" ] || fail "$file is missing"
done
desktop-file-validate "$root/usr/share/applications/example.datalesk.Obrazor.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/example.datalesk.Obrazor.metainfo.xml"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/example.datalesk.Obrazor.metainfo.xml" ||
  fail "the AppStream file names no release $version"
man -l "$root/usr/share/man/man1/obrazor-convert.1.gz" 2>&1 >/dev/null | grep . && fail "the manual page has faults"
dpkg-deb -f "$deb" Depends | grep -q fonts-liberation2 || fail "the package does not depend on the fonts"

# Lintian: errors fail, warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$deb"
echo "package check passed: $(basename "$deb")"
