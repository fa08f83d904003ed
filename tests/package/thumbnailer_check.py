#!/usr/bin/env python3
"""Reads a .thumbnailer file as file managers do, by the rules of desktop entries: one group,
[Thumbnailer Entry], with keys TryExec, Exec and MimeType; Exec runs quarvel-cli thumbnail with
the size, input and output codes; MimeType names the types of Windows programs and icons."""
import re
import sys

EXPECTED_TYPES = {'application/x-ms-dos-executable', 'application/x-msdownload',
                  'application/vnd.microsoft.portable-executable', 'image/vnd.microsoft.icon',
                  'image/x-ico'}


def parse(text):
    groups, group = {}, None
    for number, line in enumerate(text.split('\n'), 1):
        if not line.strip() or line.startswith('#'):
            continue
        if line.startswith('[') and line.endswith(']'):
            group = line[1:-1]
            if group in groups or not re.fullmatch(r'[^\[\]\x00-\x1f\x7f]+', group):
                sys.exit(f'line {number}: bad or repeated group [{group}]')
            groups[group] = {}
            continue
        match = re.fullmatch(r'([A-Za-z0-9-]+)(\[[^\]]+\])? *= *(.*)', line)
        if group is None or not match:
            sys.exit(f'line {number}: not a key of a group: {line!r}')
        key = match.group(1) + (match.group(2) or '')
        if key in groups[group]:
            sys.exit(f'line {number}: key {key} repeated')
        groups[group][key] = match.group(3)
    return groups


def main(path):
    with open(path, 'rb') as f:
        raw = f.read()
    try:
        text = raw.decode('utf-8')
    except UnicodeDecodeError:
        sys.exit(f'{path}: not UTF-8')
    if not text.endswith('\n') or '\r' in text:
        sys.exit(f'{path}: lines must end in a bare line feed, the last one too')
    groups = parse(text)
    if list(groups) != ['Thumbnailer Entry']:
        sys.exit(f'{path}: groups {list(groups)}, expected only [Thumbnailer Entry]')
    entry = groups['Thumbnailer Entry']
    if set(entry) != {'TryExec', 'Exec', 'MimeType'}:
        sys.exit(f'{path}: keys {sorted(entry)}')
    if entry['TryExec'] != 'quarvel-cli':
        sys.exit(f'{path}: TryExec is {entry["TryExec"]}')
    words = entry['Exec'].split(' ')
    if words[:2] != ['quarvel-cli', 'thumbnail'] or sorted(w for w in words if w.startswith('%')) \
            != ['%i', '%o', '%s'] or '-s' not in words or words[words.index('-s') + 1] != '%s':
        sys.exit(f'{path}: Exec is {entry["Exec"]}')
    types = entry['MimeType']
    if not types.endswith(';') or set(types[:-1].split(';')) != EXPECTED_TYPES:
        sys.exit(f'{path}: MimeType is {types}')


main(sys.argv[1])
