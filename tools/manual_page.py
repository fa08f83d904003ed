#!/usr/bin/env python3
"""quarvel-cli's manual page has one source, cli/quarvel-cli.md, which is also the README's
"Command line" section.

  manual_page.py build SOURCE.md OUTPUT.1 VERSION   writes the manual page (roff, with tables)
  manual_page.py check SOURCE.md README.md          exits 1 when the README's section differs

The source uses a small part of Markdown: paragraphs, "### " headings (the page's sections),
"- " lists, tables, code blocks indented by four spaces, and `code` spans (set in bold)."""
import re
import sys

SECTION = '## Command line\n'
NAME = 'quarvel-cli \\- list, extract and thumbnail the icons of Windows programs and icon files'


def readme_section(readme):
    start = readme.index(SECTION) + len(SECTION)
    end = readme.find('\n## ', start)
    return readme[start:end if end >= 0 else len(readme)].strip('\n') + '\n'


def escape(text):
    return text.replace('\\', '\\e')


def inline(text):
    """Roff for a line of Markdown text: code spans in bold, their hyphens as minus signs."""
    parts = re.split(r'(`[^`]*`)', text)
    out = ''
    for part in parts:
        if part.startswith('`') and part.endswith('`') and len(part) > 1:
            out += '\\fB' + escape(part[1:-1]).replace('-', '\\-') + '\\fR'
        else:
            out += escape(part)
    return out


def line(text):
    """A text line that roff does not take for a request."""
    return '\\&' + text if text.startswith(('.', "'")) else text


def cells(row):
    """The cells of a table row, split at bars outside code spans."""
    found, current, code = [], '', False
    for char in row.strip()[1:-1]:
        if char == '`':
            code = not code
        if char == '|' and not code:
            found.append(current.strip())
            current = ''
        else:
            current += char
    return found + [current.strip()]


def table(rows):
    header, body = cells(rows[0]), [cells(row) for row in rows[2:]]
    out = ['.TS', 'allbox tab(@);', ' '.join(['lB'] * len(header)),
           ' '.join(['l'] + ['lx'] * (len(header) - 1)) + '.']
    out.append('@'.join(inline(cell) for cell in header))
    for row in body:
        out.append('@'.join('T{\n' + line(inline(cell)) + '\nT}' for cell in row))
    return out + ['.TE']


def build(source, version):
    out = ["'\\\" t", f'.TH QUARVEL-CLI 1 "" "quarvel-cli {version}" "User Commands"',
           '.SH NAME', NAME, '.SH DESCRIPTION']
    lines = source.split('\n')
    i = 0
    while i < len(lines):
        text = lines[i]
        if not text.strip():
            i += 1
        elif text.startswith('### '):
            out.append('.SH ' + text[4:].upper())
            i += 1
        elif text.startswith('    '):
            block = []
            while i < len(lines) and (lines[i].startswith('    ') or not lines[i].strip()):
                block.append(lines[i][4:])
                i += 1
            while block and not block[-1].strip():
                block.pop()
            out += ['.PP', '.RS 4', '.nf'] + [line(escape(b).replace('-', '\\-'))
                                               for b in block] + ['.fi', '.RE']
        elif text.startswith('|'):
            rows = []
            while i < len(lines) and lines[i].startswith('|'):
                rows.append(lines[i])
                i += 1
            out += table(rows)
        elif text.startswith('- '):
            item = [text[2:]]
            i += 1
            while i < len(lines) and lines[i].startswith('  ') and lines[i].strip():
                item.append(lines[i].strip())
                i += 1
            out += ['.IP \\(bu 2', line(inline(' '.join(item)))]
        else:
            paragraph = []
            while (i < len(lines) and lines[i].strip() and
                   not lines[i].startswith(('### ', '    ', '|', '- '))):
                paragraph.append(lines[i].strip())
                i += 1
            out += ['.PP', line(inline(' '.join(paragraph)))]
    return '\n'.join(out) + '\n'


def main(args):
    if len(args) == 4 and args[0] == 'build':
        with open(args[1], encoding='utf-8') as f:
            page = build(f.read(), args[3])
        with open(args[2], 'w', encoding='utf-8') as f:
            f.write(page)
        return 0
    if len(args) == 3 and args[0] == 'check':
        with open(args[1], encoding='utf-8') as f:
            source = f.read()
        with open(args[2], encoding='utf-8') as f:
            section = readme_section(f.read())
        if section == source:
            return 0
        print(f'{args[2]}: the "Command line" section differs from {args[1]}; copy it there')
        return 1
    print(__doc__)
    return 2


sys.exit(main(sys.argv[1:]))
