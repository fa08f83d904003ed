#!/usr/bin/env bash
# Tests the Debian package: its control fields and contents, then (as root only: CI runs as root
# on a fresh machine) installs it into the real system, runs what it installed, and removes it,
# checking that nothing it installed remains. Not root: the install part is skipped, said so.
#   deb_test.sh DEB VERSION
set -euo pipefail
deb=$1 version=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "deb_test: $*" >&2; exit 1; }

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = quarvel-cli ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version), not $version"
[ "$(field Architecture)" = amd64 ] || fail "Architecture is $(field Architecture)"
depends=$(field Depends | sed -E 's/ \([^)]*\)//g')
[ "$depends" = "libc6, zlib1g" ] || fail "Depends on $(field Depends): only libc6 and zlib1g expected"
dpkg-deb --info "$deb" >/dev/null

files=(/usr/bin/quarvel-cli /usr/share/man/man1/quarvel-cli.1.gz
       /usr/share/thumbnailers/quarvel.thumbnailer)
contents=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print substr($6, 2)}' | sort)
[ "$contents" = "$(printf '%s\n' "${files[@]}" | sort)" ] || fail "contents: $contents"
[ "$(dpkg-deb --contents "$deb" | awk '$6 == "./usr/bin/quarvel-cli" {print $1}')" = -rwxr-xr-x ] ||
  fail "quarvel-cli is not executable"

if [ "$(id -u)" -ne 0 ]; then
  echo "deb_test: control and contents pass; install and removal SKIPPED (needs root)"
  exit 0
fi
if dpkg-query -W quarvel-cli >/dev/null 2>&1; then
  fail "quarvel-cli is installed already: remove it first (dpkg -r quarvel-cli)"
fi
for f in "${files[@]}"; do [ ! -e "$f" ] || fail "$f exists before the install"; done
trap 'dpkg -r quarvel-cli >/dev/null 2>&1 || true' EXIT
dpkg -i "$deb" >/dev/null || fail "dpkg -i failed"
for f in "${files[@]}"; do [ -f "$f" ] || fail "$f not installed"; done
[ "$(quarvel-cli --version)" = "quarvel-cli $version" ] || fail "quarvel-cli --version: $(quarvel-cli --version)"
[ "$(man -w quarvel-cli)" = /usr/share/man/man1/quarvel-cli.1.gz ] || fail "man -w: $(man -w quarvel-cli)"
man quarvel-cli 2>&1 | grep -q "thumbnail -s SIZE INPUT OUTPUT.png" || fail "the manual page does not render"
python3 "$root/tests/package/thumbnailer_check.py" /usr/share/thumbnailers/quarvel.thumbnailer
# The entry's command line, as a file manager runs it, on a program with an icon.
program=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/notepad.exe
if [ -f "$program" ]; then
  scratch=$(mktemp -d)
  exec_line=$(sed -n 's/^Exec=//p' /usr/share/thumbnailers/quarvel.thumbnailer)
  exec_line=${exec_line//%s/128}; exec_line=${exec_line//%i/$program}
  exec_line=${exec_line//%o/$scratch/thumb.png}
  (cd / && env -i PATH=/usr/bin:/bin $exec_line) || fail "the thumbnailer failed: $exec_line"
  [ "$(head -c 8 "$scratch/thumb.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] ||
    fail "the thumbnailer wrote no PNG"
  rm -rf "$scratch"
fi
dpkg -r quarvel-cli >/dev/null || fail "dpkg -r failed"
trap - EXIT
! dpkg-query -W -f='${Status}' quarvel-cli 2>/dev/null | grep -q "ok installed" || fail "still installed"
for f in "${files[@]}"; do [ ! -e "$f" ] || fail "$f remains after dpkg -r"; done
[ ! -e /usr/share/thumbnailers ] || [ -n "$(ls -A /usr/share/thumbnailers)" ] ||
  fail "an empty /usr/share/thumbnailers remains"
echo "deb_test: control, contents, install, run and removal pass"
