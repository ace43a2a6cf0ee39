#!/usr/bin/env python3
"""Builds the string table sources from resources/strings/*.txt.

Each line is `ID<TAB>NAME<TAB>text` (UTF-8); lines starting with '#' and blank lines are ignored.
NAME is the constant code uses for the string (IDS_ and capitals, digits, underscores).
Escapes in the text: \\n, \\t, \\\\.  An identifier and a name may appear only once across all files.
Writes StringIds.h (a named constant for every string), StringTableData.cpp (the table the
portable core reads) and strings.rc (the STRINGTABLE of the English language module).
"""
import os
import re
import sys

NAME_RE = re.compile(r'^IDS_[A-Z0-9_]+$')


def unescape(text, where):
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c == '\\' and i + 1 < len(text):
            n = text[i + 1]
            if n == 'n':
                out.append('\n')
            elif n == 't':
                out.append('\t')
            elif n == '\\':
                out.append('\\')
            else:
                sys.exit(f"{where}: unknown escape \\{n}")
            i += 2
            continue
        out.append(c)
        i += 1
    return ''.join(out)


def read_all(in_dir):
    entries = {}
    names = {}
    for name in sorted(os.listdir(in_dir)):
        if not name.endswith('.txt'):
            continue
        path = os.path.join(in_dir, name)
        with open(path, encoding='utf-8') as f:
            for lineno, line in enumerate(f, 1):
                line = line.rstrip('\r\n')
                if not line.strip() or line.startswith('#'):
                    continue
                where = f"{path}:{lineno}"
                parts = line.split('\t', 2)
                if len(parts) != 3:
                    sys.exit(f"{where}: expected ID<TAB>NAME<TAB>text")
                ident, name, text = parts
                if not NAME_RE.match(name):
                    sys.exit(f"{where}: bad name {name!r} (IDS_ and capitals, digits, underscores)")
                if name in names:
                    sys.exit(f"{where}: name {name} already used at {names[name]}")
                names[name] = where
                try:
                    num = int(ident.strip(), 0)
                except ValueError:
                    sys.exit(f"{where}: bad identifier {ident!r}")
                if not 0 < num < 65536:
                    sys.exit(f"{where}: identifier {num} out of range")
                if num in entries:
                    sys.exit(f"{where}: identifier {num} already defined at {entries[num][1]}")
                entries[num] = (unescape(text, where), where, name)
    return entries


def utf16_units(text):
    data = text.encode('utf-16-le')
    return [data[i] | (data[i + 1] << 8) for i in range(0, len(data), 2)]


def cxx_literal(text):
    out = []
    for u in utf16_units(text):
        ch = chr(u)
        if 0x20 <= u < 0x7f and ch not in '"\\?':
            out.append(ch)
        else:
            out.append('\\x%04x' % u)
            # a following hex digit would extend the escape: close and reopen the literal
            out.append('" u"')
    s = ''.join(out)
    return 'u"' + s + '"'


def rc_literal(text):
    out = []
    for u in utf16_units(text):
        ch = chr(u)
        if ch == '"':
            out.append('""')
        elif 0x20 <= u < 0x7f and ch != '\\':
            out.append(ch)
        else:
            out.append('\\x%04x' % u)
    return 'L"' + ''.join(out) + '"'


def write_if_changed(path, content):
    try:
        with open(path, encoding='utf-8') as f:
            if f.read() == content:
                return
    except OSError:
        pass
    with open(path, 'w', encoding='utf-8', newline='\n') as f:
        f.write(content)


def main():
    in_dir, out_dir = sys.argv[1], sys.argv[2]
    entries = read_all(in_dir)
    ids = sorted(entries)
    cpp = ['// Generated from resources/strings/*.txt by tools/gen_strings.py. Do not edit.',
           '#include "resources/StringTable.h"', '',
           'namespace {', 'struct Entry { uint32_t id; const char16_t* text; };',
           'const Entry kEntries[] = {']
    for i in ids:
        cpp.append('    {%d, %s},' % (i, cxx_literal(entries[i][0])))
    if not ids:
        cpp.append('    {0, u""},')
    cpp += ['};', '}  // namespace', '',
            'const char16_t* StringTableLookup(uint32_t id) {',
            '    size_t lo = 0, hi = sizeof(kEntries) / sizeof(kEntries[0]);',
            '    while (lo < hi) {',
            '        size_t mid = (lo + hi) / 2;',
            '        if (kEntries[mid].id < id) lo = mid + 1; else hi = mid;',
            '    }',
            '    if (id != 0 && lo < sizeof(kEntries) / sizeof(kEntries[0]) && kEntries[lo].id == id)',
            '        return kEntries[lo].text;',
            '    return nullptr;',
            '}', '',
            'size_t StringTableCount() { return %d; }' % len(ids), '',
            'uint32_t StringTableIdAt(size_t index) {',
            '    return index < StringTableCount() ? kEntries[index].id : 0;',
            '}', '']
    rc = ['// Generated from resources/strings/*.txt by tools/gen_strings.py. Do not edit.',
          'LANGUAGE 0x09, 0x01', 'STRINGTABLE', 'BEGIN']
    for i in ids:
        rc.append('    %d, %s' % (i, rc_literal(entries[i][0])))
    rc.append('END')
    hdr = ['// Generated from resources/strings/*.txt by tools/gen_strings.py. Do not edit.',
           '// The identifier of every user-interface string, by name.',
           '#pragma once', '']
    for i in ids:
        hdr.append('#define %s %d' % (entries[i][2], i))
    write_if_changed(os.path.join(out_dir, 'StringIds.h'), '\n'.join(hdr) + '\n')
    write_if_changed(os.path.join(out_dir, 'StringTableData.cpp'), '\n'.join(cpp) + '\n')
    write_if_changed(os.path.join(out_dir, 'strings.rc'), '\n'.join(rc) + '\n')


if __name__ == '__main__':
    main()
