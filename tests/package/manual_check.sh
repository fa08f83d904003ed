#!/bin/sh
# The manual page and the thumbnailer entry, without installing anything: the README's
# "Command line" section is the manual's source, the generated page renders without warnings,
# and quarvel.thumbnailer is a sound desktop entry.
#   manual_check.sh PYTHON SOURCE_DIR MANUAL_PAGE
set -eu
python=$1 root=$2 manual=$3
"$python" "$root/tools/manual_page.py" check "$root/cli/quarvel-cli.md" "$root/README.md"
warnings=$(groff -man -t -ww -z -Tutf8 "$manual" 2>&1)
if [ -n "$warnings" ]; then
  echo "groff warns about $manual:"; echo "$warnings"; exit 1
fi
for section in NAME DESCRIPTION LIST EXTRACT THUMBNAIL; do
  grep -q "^\.SH $section\$" "$manual" || { echo "$manual lacks the section $section"; exit 1; }
done
"$python" "$root/tests/package/thumbnailer_check.py" "$root/package/debian/quarvel.thumbnailer"
echo "manual page and thumbnailer entry are sound"
