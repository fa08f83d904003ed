#!/usr/bin/env python3
"""Times quarvel-cli against icoutils' wrestool on every file of Wine's library folder.

    bench/engine_vs_wrestool.py [--runs N] [--cli PATH] [--folder PATH]

Each tool runs as one process over all files; the best of N runs counts. Prints both times
and the ratio (wrestool time / quarvel-cli time) for listing and for extracting.
"""
import argparse
import os
import shutil
import subprocess
import sys
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


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--runs', type=int, default=7)
    parser.add_argument('--cli', default=os.path.join(ROOT, 'build', 'native', 'cli', 'quarvel-cli'))
    parser.add_argument('--folder', default='/usr/lib/x86_64-linux-gnu/wine/x86_64-windows')
    args = parser.parse_args()
    if not shutil.which('wrestool') or not os.path.isdir(args.folder) or not os.path.exists(args.cli):
        sys.exit('needs wrestool, the Wine library folder and a native build of quarvel-cli')

    files = sorted(os.path.join(args.folder, name) for name in os.listdir(args.folder)
                   if os.path.isfile(os.path.join(args.folder, name)))
    print(f"{len(files)} files in {args.folder}, best of {args.runs} runs")
    # A first pass of each brings the files into the page cache for both tools alike.
    best_time([args.cli, 'list'] + files, 1)
    best_time(['wrestool', '-l', '-t14'] + files, 1)
    report('list', best_time([args.cli, 'list'] + files, args.runs),
           best_time(['wrestool', '-l', '-t14'] + files, args.runs), 3)


if __name__ == '__main__':
    main()
