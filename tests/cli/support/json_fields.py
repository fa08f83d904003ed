#!/usr/bin/env python3
"""Reads the lines of `quarvel-cli list --json` on stdin with Python's JSON parser, checks each
object's fields and types, and prints for each the fields of the plain listing (path, kind, name,
language; control characters as '?'), its location ('' for null) and its images
("48x48x32" or "256x256x32png", comma-separated; "null" for none), tab-separated. Exits 1 at the
first line that is not a valid object."""
import json
import re
import sys


def printable(text):
    return re.sub('[\x00-\x1f\x7f]', '?', text)


def fail(number, why):
    print(f'line {number}: {why}')
    sys.exit(1)


def main():
    out = []
    for number, raw in enumerate(sys.stdin.buffer.read().split(b'\n')[:-1], 1):
        try:
            icon = json.loads(raw.decode('utf-8'))
        except (UnicodeDecodeError, json.JSONDecodeError) as error:
            fail(number, error)
        group = icon.get('kind') in ('group', 'cursor')
        keys = {'path', 'kind', 'location', 'images'} | ({'language'} if group else set())
        if icon.get('kind') == 'ani':
            keys.add('frames')
        named = 'name' in icon
        if group:
            keys.add('name' if named else 'id')
        if set(icon) != keys:
            fail(number, f'keys {sorted(icon)}')
        if group and not (isinstance(icon['language'], int) and
                          isinstance(icon['name'], str) if named else isinstance(icon['id'], int)):
            fail(number, 'name, id or language of the wrong type')
        if icon['location'] is not None and not isinstance(icon['location'], str):
            fail(number, 'location neither text nor null')
        images = 'null'
        if icon['images'] is not None:
            parts = []
            for image in icon['images']:
                if set(image) != {'width', 'height', 'depth', 'png'} or \
                        not isinstance(image['png'], bool):
                    fail(number, f'image {image}')
                parts.append(f"{image['width']}x{image['height']}x{image['depth']}" +
                             ('png' if image['png'] else ''))
            images = ','.join(parts)
        name = (icon['name'] if named else str(icon['id'])) if group else ''
        language = str(icon['language']) if group else '0'
        out.append('\t'.join([printable(icon['path']), icon['kind'], printable(name), language,
                              printable(icon['location'] or ''), images]))
    sys.stdout.buffer.write(''.join(line + '\n' for line in out).encode('utf-8'))


main()
