#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the layout and the desktop files.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
for file in bin/zento bin/zento-calc share/zento/zento.hlp \
            share/applications/org.zento.Zento.desktop share/metainfo/org.zento.Zento.metainfo.xml \
            share/icons/hicolor/16x16/apps/zento.png share/icons/hicolor/32x32/apps/zento.png \
            share/icons/hicolor/256x256/apps/zento.png share/icons/hicolor/scalable/apps/zento.svg \
            share/man/man1/zento.1.gz share/man/man1/zento-calc.1.gz share/man/man1/zento-station.1.gz \
            share/bash-completion/completions/zento-calc \
            share/doc/zento/copyright share/doc/zento/changelog.gz \
            share/locale/de/LC_MESSAGES/zento.mo share/locale/fr/LC_MESSAGES/zento.mo \
            bin/zento-station share/applications/org.zento.ZentoStation.desktop \
            share/metainfo/org.zento.ZentoStation.metainfo.xml share/icons/hicolor/16x16/apps/zento-station.png \
            share/icons/hicolor/32x32/apps/zento-station.png share/icons/hicolor/256x256/apps/zento-station.png \
            share/icons/hicolor/scalable/apps/zento-station.svg; do
  if [ ! -e "$prefix/$file" ]; then echo "missing: $file"; status=1; fi
done
for program in zento zento-station; do
  [ -x "$prefix/bin/$program" ] || { echo "bin/$program is not executable"; status=1; }
done
# The installed program finds its catalogues beside it, in share/locale.
german=$(LANGUAGE=de LC_ALL=C.UTF-8 "$prefix/bin/zento-calc" --station "$prefix/none.zento.json" 2>&1 || true)
grep -q 'kann nicht geöffnet werden' <<<"$german" || { echo "the installed zento-calc does not speak German"; status=1; }
"$prefix/bin/zento-calc" --version | grep -qx 'zento-calc 1.0.0.1' || { echo "zento-calc --version is not 1.0.0.1"; status=1; }
grep -q 'release version="1.0.0.1"' "$prefix/share/metainfo/org.zento.Zento.metainfo.xml" || status=1
grep -q 'release version="1.0.0.1"' "$prefix/share/metainfo/org.zento.ZentoStation.metainfo.xml" || status=1
for id in org.zento.Zento org.zento.ZentoStation; do
  desktop-file-validate "$prefix/share/applications/$id.desktop" || status=1
  appstreamcli validate --no-net --explain "$prefix/share/metainfo/$id.metainfo.xml" || status=1
done
[ "$status" -eq 0 ] && echo "install layout: 1 passed, 0 failed"
exit "$status"
