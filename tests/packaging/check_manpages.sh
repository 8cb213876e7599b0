#!/usr/bin/env bash
# Renders each built manual page as lintian does and fails on any warning from man or groff,
# and on a NAME line that whatis cannot read.
set -uo pipefail
dir=$1
status=0
for page in zento zento-calc zento-station; do
  file="$dir/$page.1.gz"
  if [ ! -f "$file" ]; then echo "missing: $file"; status=1; continue; fi
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then echo "$page.1: $warnings"; status=1; fi
  lexgrog "$file" | grep -q ": \"$page - " || { echo "$page.1: no whatis entry '$page - ...'"; status=1; }
done
[ "$status" -eq 0 ] && echo "manual pages: 3 passed, 0 failed"
exit "$status"
