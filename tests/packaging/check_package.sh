#!/usr/bin/env bash
# Checks the Debian package that scripts/package builds: lintian, the control fields, every file
# where Debian's layout puts it with Debian's modes, and, unpacked into a scratch root, the
# programs, manual pages, desktop entries and AppStream data. Exits 77 (skipped) with no package.
set -uo pipefail
dir=$1
version=$2
deb="$dir/zento_${version}_$(dpkg --print-architecture).deb"
if [ ! -f "$deb" ]; then
  echo "no package at $deb (scripts/package builds it)"
  exit 77
fi
screenshots=$(dirname "${BASH_SOURCE[0]}")/../../docs/screenshots
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

passed=0 failed=0
check() {  # check WHAT COMMAND...: one check, passed when COMMAND succeeds
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what"; fi
}

check "lintian reports no error and no warning" lintian --fail-on error,warning "$deb"

field() { dpkg-deb --field "$deb" "$1"; }
check "Package, Version, Section, Maintainer, Homepage" \
  test "$(field Package)|$(field Version)|$(field Section)|$(field Maintainer)|$(field Homepage)" == \
  "zento|$version|hamradio|The ZENTO developers <zento@example.org>|https://zento.example.org/"
check "Depends computed by dpkg-shlibdeps" grep -q 'libqt6widgets6 (>= ' <<<"$(field Depends)"
check "depends on the NEC-2 engine the near field runs" grep -qE "(^|, )nec2c(,| |$)" <<<"$(field Depends)"

# Every entry: owned by root, in its place in Debian's layout, with Debian's mode.
layout_faults=$(dpkg-deb --contents "$deb" | awk '
  { mode = $1; owner = $2; path = $6 }
  owner != "root/root" { print "owner " owner ": " path; next }
  mode ~ /^d/ { if (mode != "drwxr-xr-x" || path !~ /^\.\/(usr\/(bin\/|share\/.*)?)?$/) print mode " " path; next }
  path ~ /^\.\/usr\/bin\/[a-z-]+$/ { if (mode != "-rwxr-xr-x") print mode " " path; next }
  path ~ /^\.\/usr\/share\/(applications\/[A-Za-z.]+\.desktop|metainfo\/[A-Za-z.]+\.metainfo\.xml|icons\/hicolor\/([0-9]+x[0-9]+|scalable)\/apps\/[a-z-]+\.(png|svg)|man\/man1\/[a-z-]+\.1\.gz|locale\/[a-z]+\/LC_MESSAGES\/zento\.mo|bash-completion\/completions\/[a-z-]+|doc\/zento\/(copyright|changelog\.gz)|zento\/[^\/]+)$/ {
    if (mode != "-rw-r--r--") print mode " " path; next
  }
  { print "outside the layout: " path }')
check "files in Debian's layout: ${layout_faults:-none out of place}" test -z "$layout_faults"

dpkg-deb --extract "$deb" "$root"
expected=(usr/bin/zento usr/bin/zento-calc usr/share/zento/zento.hlp
          usr/share/applications/org.zento.Zento.desktop usr/share/metainfo/org.zento.Zento.metainfo.xml
          usr/share/icons/hicolor/48x48/apps/zento.png usr/share/icons/hicolor/scalable/apps/zento.svg
          usr/share/doc/zento/copyright usr/share/doc/zento/changelog.gz
          usr/share/locale/de/LC_MESSAGES/zento.mo usr/share/locale/fr/LC_MESSAGES/zento.mo)
# The station window's files join the package with its program.
if [ -e "$root/usr/bin/zento-station" ]; then
  expected+=(usr/share/applications/org.zento.ZentoStation.desktop)
fi
missing=$(for file in "${expected[@]}"; do [ -e "$root/$file" ] || echo "$file"; done)
check "expected files: ${missing:-all there}" test -z "$missing"
completions=$(pkg-config --variable=completionsdir bash-completion)
check "bash completion in $completions" test -f "$root$completions/zento-calc"
# bash-completion finds it on Tab as it would in /usr/share, and it asks the packaged zento-calc.
offers=$(XDG_DATA_DIRS="$root/usr/share" PATH="$root/usr/bin:$PATH" bash -c '
  source /usr/share/bash-completion/bash_completion
  __load_completion zento-calc || exit
  COMP_WORDS=(zento-calc --cable rg-21) COMP_CWORD=2 COMP_LINE="zento-calc --cable rg-21" COMP_POINT=25
  _zento_calc && echo "${COMPREPLY[*]}"')
check "bash-completion loads the packaged completion: $offers" test "$offers" == 'RG-213/214/215/216\ Coaxial'

check "zento-calc --version from the scratch root" test "$("$root/usr/bin/zento-calc" --version)" == "zento-calc $version"
check "figures from the scratch root" grep -q 'UNCONTROLLED Limit = 0.89 mw/cm-cm @ 16.4 Feet' \
  <<<"$("$root/usr/bin/zento-calc" --frequency 14.2 --power 1500 --duty-cycle 50 --gain 2.15 --loss 0.5)"

for program in "$root"/usr/bin/*; do
  name=$(basename "$program")
  page="$root/usr/share/man/man1/$name.1.gz"
  check "manual page of $name" test -f "$page"
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  check "man --warnings $name.1: $warnings" test -z "$warnings"
done

for entry in "$root"/usr/share/applications/*.desktop; do
  check "desktop-file-validate $(basename "$entry")" desktop-file-validate "$entry"
  program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  icon=$(sed -n 's/^Icon=//p' "$entry")
  check "$(basename "$entry"): Exec $program is in usr/bin" test -x "$root/usr/bin/$program"
  check "$(basename "$entry"): Icon $icon is in hicolor" test -n "$(find "$root/usr/share/icons/hicolor" -name "$icon.*")"
done
for metainfo in "$root"/usr/share/metainfo/*.metainfo.xml; do
  check "appstreamcli validate $(basename "$metainfo")" appstreamcli validate --no-net --explain "$metainfo"
  check "$(basename "$metainfo"): a release entry for $version" grep -q "<release version=\"$version\"" "$metainfo"
  shots=$(grep -o '<image>[^<]*</image>' "$metainfo" | sed 's|</image>||; s|.*/||')
  unknown=$(for shot in $shots; do [ -f "$screenshots/$shot" ] || echo "$shot"; done)
  check "$(basename "$metainfo"): screenshots ($shots) from docs/screenshots${unknown:+, not $unknown}" \
    test -n "$shots" -a -z "$unknown"
done

echo "debian package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
