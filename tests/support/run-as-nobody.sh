#!/bin/sh
# Runs a test program as the unprivileged user "nobody", for tests that need permissions to
# hold (root reads and writes anything). Exits 77, which CTest counts as skipped, when that
# cannot be arranged: not root, no setpriv, or the program out of that user's reach.
[ "$(id -u)" -eq 0 ] || exit 77
command -v setpriv >/dev/null 2>&1 || exit 77
as_nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
as_nobody test -x "$1" || exit 77
export TMPDIR=/tmp
exec setpriv --reuid=65534 --regid=65534 --clear-groups "$@"
