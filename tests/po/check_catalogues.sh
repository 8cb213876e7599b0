#!/usr/bin/env bash
# Every text the sources and the help's station section mark for translation has a finished
# German and French translation that keeps its positions, tags and mnemonics.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
scripts/extract-texts "$tmp/zento.pot"
catalogues=()
while read -r language; do catalogues+=("po/$language.po"); done < <(grep -E '^[a-z]' po/LINGUAS)
python3 tests/po/check_translations.py "$tmp/zento.pot" "${catalogues[@]}"
