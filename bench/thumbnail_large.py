#!/usr/bin/env python3
"""Times `quarvel-cli thumbnail` on a real program and on the same program padded to 100 MiB.

    bench/thumbnail_large.py [--runs N] [--cli PATH] [--program PATH] [--size N] [--pad-mib N]

The padded copy is the program with N MiB of data appended (as installers carry their payload
after the image): the thumbnail maps the file and reads only its headers and icons, so it should
take about the same time (goal: within 1.5x). Both run in the same session, alternately; the
best and the median of N runs of each are printed, with the ratio of the medians.
"""
import argparse
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
GOAL = 1.5


def run(cli, program, size, output):
    start = time.perf_counter()
    done = subprocess.run([cli, 'thumbnail', '-s', str(size), program, output],
                          stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, check=False)
    elapsed = time.perf_counter() - start
    if done.returncode != 0:
        sys.exit(f'thumbnail of {program} failed: {done.stderr.decode(errors="replace")}')
    return elapsed


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--runs', type=int, default=20)
    parser.add_argument('--cli', default=os.path.join(ROOT, 'build/native/cli/quarvel-cli'))
    parser.add_argument('--program',
                        default='/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/notepad.exe')
    parser.add_argument('--size', type=int, default=256)
    parser.add_argument('--pad-mib', type=int, default=100)
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as scratch:
        padded = os.path.join(scratch, 'installer.exe')
        with open(args.program, 'rb') as source, open(padded, 'wb') as target:
            target.write(source.read())
            noise = random.Random(1).randbytes(1 << 20)
            for _ in range(args.pad_mib):
                target.write(noise)
        output = os.path.join(scratch, 'thumb.png')
        small_size, large_size = os.path.getsize(args.program), os.path.getsize(padded)
        first_large = run(args.cli, padded, args.size, output)  # the copy is in the page cache
        small, large = [], []
        for _ in range(args.runs):
            small.append(run(args.cli, args.program, args.size, output))
            large.append(run(args.cli, padded, args.size, output))

    def line(name, size, times):
        print(f'{name:7s} {size / 1024:10.0f} KiB   best {min(times) * 1000:6.2f} ms   '
              f'median {statistics.median(times) * 1000:6.2f} ms')

    print(f'quarvel-cli thumbnail -s {args.size}, {args.runs} runs each')
    line('small', small_size, small)
    line('padded', large_size, large)
    print(f'first run of the padded copy, just written: {first_large * 1000:.2f} ms')
    ratio = statistics.median(large) / statistics.median(small)
    print(f'ratio padded / small (medians) {ratio:.2f}x (goal within {GOAL}x)')


main()
