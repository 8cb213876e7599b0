#!/usr/bin/env python3
"""Checks that every text of a template has a finished translation in each catalogue, and that
each translation keeps what the program fills in or relies on: the %1..%9 positions, the HTML
tags, a menu's & mnemonic, leading and trailing line breaks.

check_translations.py TEMPLATE.pot CATALOGUE.po...
"""
import re
import sys


def unquote(s):
    return re.sub(r'\\(.)', lambda m: {'n': '\n', 't': '\t', '"': '"', '\\': '\\'}.get(m.group(1), m.group(1)), s)


def entries(path):
    """Yields (context, msgid, msgstr, flags) of a .po file, header and obsolete entries left out."""
    entry, field, flags = {}, None, set()

    def finish():
        if 'msgid' in entry and entry['msgid'] != '':
            yield entry.get('msgctxt'), entry['msgid'], entry.get('msgstr', ''), set(flags)

    with open(path, encoding='utf-8') as f:
        for line in f:
            line = line.rstrip('\n')
            if not line.strip():
                yield from finish()
                entry, field, flags = {}, None, set()
            elif line.startswith('#~'):
                continue
            elif line.startswith('#,'):
                flags.update(x.strip() for x in line[2:].split(','))
            elif line.startswith('#'):
                continue
            elif line.startswith('"'):
                entry[field] += unquote(line[1:-1])
            else:
                key, _, value = line.partition(' ')
                field = 'msgstr' if key.startswith('msgstr') else key
                entry[field] = unquote(value[1:-1])
    yield from finish()


def positions(text):
    return sorted(set(re.findall(r'%[1-9]', text)))


def tags(text):
    return sorted(t.lower() for t in re.findall(r'</?([A-Za-z][A-Za-z0-9]*)', text))


def mnemonics(text):
    return len(re.findall(r'&(?![&#A-Za-z0-9]+;)(?=[^\s&])', text))


def main(template, catalogues):
    wanted = {(ctx, msgid) for ctx, msgid, _, _ in entries(template)}
    faults = []
    for path in catalogues:
        done = {(ctx, msgid): (msgstr, flags) for ctx, msgid, msgstr, flags in entries(path)}
        for key in sorted(wanted, key=lambda k: (k[0] or '', k[1])):
            english = key[1]
            where = f'{path}: {english[:60]!r}'
            if key not in done:
                faults.append(f'{where}: missing')
                continue
            text, flags = done[key]
            if not text:
                faults.append(f'{where}: not translated')
            elif 'fuzzy' in flags:
                faults.append(f'{where}: fuzzy')
            elif positions(text) != positions(english):
                faults.append(f'{where}: positions {positions(english)} became {positions(text)}')
            elif tags(text) != tags(english):
                faults.append(f'{where}: HTML tags differ')
            elif mnemonics(text) != mnemonics(english):
                faults.append(f'{where}: the & mnemonic is lost or doubled')
            elif (text.startswith('\n'), text.endswith('\n')) != (english.startswith('\n'), english.endswith('\n')):
                faults.append(f'{where}: line breaks at the ends differ')
    for fault in faults:
        print(fault)
    print(f'{len(wanted)} texts, {len(catalogues)} catalogues, {len(faults)} faults')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1], sys.argv[2:]))
