#!/usr/bin/env python3
"""Times `quarvel-cli extract --format png --all-sizes` against icoutils on every file of Wine's
library folder: `wrestool -x -t14` writes each group as an .ico file, then `icotool -x` writes
every image of them as a PNG file (icotool cannot read its .ico from a pipe: it seeks).

    bench/png_vs_icotool.py [--runs N] [--cli PATH] [--folder PATH]

Each side runs as few processes as it can (one quarvel-cli; one wrestool and one icotool over
all files); the best of N runs counts. Prints both sides' elapsed time and processor time (user
and system, of the child processes: on a shared, loaded machine the elapsed time is mostly
waiting for a processor), the ratios (icoutils / quarvel-cli) and how many PNG files each side
wrote.
"""
import argparse
import glob
import os
import resource
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def clear(folder):
    for name in os.listdir(folder):
        path = os.path.join(folder, name)
        shutil.rmtree(path) if os.path.isdir(path) else os.remove(path)


def children_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def best_times(run, runs, folders):
    """The best elapsed and the best processor time of N runs."""
    best_wall = best_cpu = None
    for _ in range(runs):
        for folder in folders:
            clear(folder)
        start, start_cpu = time.perf_counter(), children_cpu()
        run()
        wall, cpu = time.perf_counter() - start, children_cpu() - start_cpu
        best_wall = wall if best_wall is None else min(best_wall, wall)
        best_cpu = cpu if best_cpu is None else min(best_cpu, cpu)
    return best_wall, best_cpu


def report(what, ours, theirs):
    ratio = theirs / ours if ours > 0 else float('inf')
    print(f"{what:9s} quarvel-cli {ours * 1000:8.1f} ms   wrestool + icotool "
          f"{theirs * 1000:8.1f} ms   ratio {ratio:5.1f}x (goal 3x)")


def quiet(command):
    subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--runs', type=int, default=3)
    parser.add_argument('--cli', default=os.path.join(ROOT, 'build', 'native', 'cli', 'quarvel-cli'))
    parser.add_argument('--folder', default='/usr/lib/x86_64-linux-gnu/wine/x86_64-windows')
    # Both sides create thousands of files: in memory, the disk's load on a shared machine does
    # not decide the figures.
    parser.add_argument('--scratch', default='/dev/shm' if os.path.isdir('/dev/shm') else None)
    args = parser.parse_args()
    if not shutil.which('wrestool') or not shutil.which('icotool') or \
            not os.path.isdir(args.folder) or not os.path.exists(args.cli):
        sys.exit('needs wrestool and icotool, the Wine library folder and a native quarvel-cli')

    files = sorted(os.path.join(args.folder, name) for name in os.listdir(args.folder)
                   if os.path.isfile(os.path.join(args.folder, name)))
    print(f"{len(files)} files in {args.folder}, best of {args.runs} runs")
    with tempfile.TemporaryDirectory(dir=args.scratch) as ours, \
            tempfile.TemporaryDirectory(dir=args.scratch) as icos, \
            tempfile.TemporaryDirectory(dir=args.scratch) as theirs:
        def quarvel():
            quiet([args.cli, 'extract', '--format', 'png', '--all-sizes', '-o', ours] + files)

        def icoutils():
            quiet(['wrestool', '-x', '-t14', '-o', icos] + files)
            quiet(['icotool', '-x', '-o', theirs] + glob.glob(os.path.join(icos, '*.ico')))

        quarvel()  # a first pass brings the files into the page cache for both sides alike
        icoutils()
        ours_wall, ours_cpu = best_times(quarvel, args.runs, [ours])
        theirs_wall, theirs_cpu = best_times(icoutils, args.runs, [icos, theirs])
        report('elapsed', ours_wall, theirs_wall)
        report('processor', ours_cpu, theirs_cpu)
        print(f"{len(os.listdir(ours))} PNG files written by quarvel-cli, "
              f"{len(os.listdir(theirs))} by icotool")


if __name__ == '__main__':
    main()
