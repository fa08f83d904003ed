#!/usr/bin/env python3
"""Times quarvel-cli against icoutils' wrestool on every file of Wine's library folder.

    bench/engine_vs_wrestool.py [--runs N] [--cli PATH] [--folder PATH] [--kind icon|cursor|all]

Each tool runs as one process over all files; the best of N runs counts. Prints both times
and the ratio (wrestool time / quarvel-cli time) for listing and for extracting. With --kind the
listing lists that kind (wrestool: -t12 for cursors, every resource for all); extracting is of icons.
"""
import argparse
import os
import shutil
import subprocess
import sys
import struct
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def best_time(command, runs, prepare=None):
    best = None
    for _ in range(runs):
        if prepare:
            prepare()
        start = time.perf_counter()
        subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
        elapsed = time.perf_counter() - start
        best = elapsed if best is None else min(best, elapsed)
    return best


def report(what, ours, theirs, goal):
    ratio = theirs / ours if ours > 0 else float('inf')
    print(f"{what:8s} quarvel-cli {ours * 1000:8.1f} ms   wrestool {theirs * 1000:8.1f} ms   "
          f"ratio {ratio:5.1f}x (goal {goal}x)")


def ico_parts(data):
    """Header, directory and each image (biSizeImage cleared in bitmap images), as the
    directory describes them; wrestool pads its files past the last image."""
    count, = struct.unpack('<H', data[4:6])
    parts = [data[:6 + 16 * count]]
    for i in range(count):
        size, offset = struct.unpack('<II', data[6 + 16 * i + 8:6 + 16 * i + 16])
        image = bytearray(data[offset:offset + size])
        if image[:8] != b'\x89PNG\r\n\x1a\n' and len(image) >= 40 and \
                struct.unpack('<I', image[:4])[0] >= 40:
            image[20:24] = b'\0\0\0\0'
        parts.append(bytes(image))
    return parts


def compare_extracts(ours, theirs):
    """Pairs file#name[@lang].ico with file_14_name_lang.ico; answers (pairs, differing)."""
    pairs = differing = 0
    for name in os.listdir(ours):
        source, _, group = name[:-4].rpartition('#')
        group, _, language = group.partition('@')
        candidates = [f for f in os.listdir(theirs) if f.startswith(f"{source}_14_{group}_")
                      and (not language or f.endswith(f"_{language}.ico"))]
        if len(candidates) != 1:
            differing += 1
            continue
        pairs += 1
        mine = open(os.path.join(ours, name), 'rb').read()
        ref = open(os.path.join(theirs, candidates[0]), 'rb').read()
        differing += ico_parts(mine) != ico_parts(ref)
    return pairs, differing


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--runs', type=int, default=7)
    parser.add_argument('--cli', default=os.path.join(ROOT, 'build', 'native', 'cli', 'quarvel-cli'))
    parser.add_argument('--folder', default='/usr/lib/x86_64-linux-gnu/wine/x86_64-windows')
    parser.add_argument('--kind', choices=['icon', 'cursor', 'all'], default='icon')
    args = parser.parse_args()
    if not shutil.which('wrestool') or not os.path.isdir(args.folder) or not os.path.exists(args.cli):
        sys.exit('needs wrestool, the Wine library folder and a native build of quarvel-cli')

    files = sorted(os.path.join(args.folder, name) for name in os.listdir(args.folder)
                   if os.path.isfile(os.path.join(args.folder, name)))
    print(f"{len(files)} files in {args.folder}, best of {args.runs} runs")
    # A first pass of each brings the files into the page cache for both tools alike.
    ours = [args.cli, 'list'] + (['--kind', args.kind] if args.kind != 'icon' else []) + files
    theirs = ['wrestool', '-l'] + {'icon': ['-t14'], 'cursor': ['-t12'], 'all': []}[args.kind] + files
    best_time(ours, 1)
    best_time(theirs, 1)
    report('list', best_time(ours, args.runs), best_time(theirs, args.runs), 3)

    with tempfile.TemporaryDirectory() as ours, tempfile.TemporaryDirectory() as theirs:
        def empty(folder):
            return lambda: [os.remove(os.path.join(folder, f)) for f in os.listdir(folder)]
        ours_time = best_time([args.cli, 'extract', '-o', ours] + files, args.runs, empty(ours))
        theirs_time = best_time(['wrestool', '-x', '-t14', '-o', theirs] + files, args.runs, empty(theirs))
        report('extract', ours_time, theirs_time, 2)
        pairs, differing = compare_extracts(ours, theirs)
        print(f"extract  {len(os.listdir(ours))} icons written by quarvel-cli, "
              f"{len(os.listdir(theirs))} by wrestool; {pairs} paired, {differing} differ")


if __name__ == '__main__':
    main()
