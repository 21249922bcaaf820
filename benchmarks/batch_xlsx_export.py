#!/usr/bin/env python3
"""Time and peak memory of building a list run's workbook (vendrake-batch --format xlsx)
from the rows the run kept: FIRMS firm rows (default 100,000), each export a process of
its own whose maximum resident size comes from its rusage (wait4).

    batch_xlsx_export.py --program build-bench/bench-tools/batch_xlsx_export [--firms N]
                         [--repeat 3]

The rows are written once, the workbook built --repeat times; the best time and the
largest peak are printed beside their bounds (3 s, 200 MiB), and the script exits 1
when one is over.
"""
import argparse
import os
import subprocess
import sys
import tempfile
import time

TIME_BOUND = 3.0
MEMORY_BOUND_MIB = 200


def run(args):
    start = time.monotonic()
    process = subprocess.Popen(args)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.monotonic() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{' '.join(args)} failed")
    return elapsed, usage.ru_maxrss / 1024.0  # KiB to MiB


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--firms", type=int, default=100000)
    parser.add_argument("--repeat", type=int, default=3)
    options = parser.parse_args()
    with tempfile.TemporaryDirectory() as folder:
        rows = os.path.join(folder, "list_enabled.xlsx.csv")
        book = os.path.join(folder, "list_enabled.xlsx")
        run([options.program, "rows", rows, str(options.firms)])
        times, peaks = [], []
        for _ in range(options.repeat):
            elapsed, peak = run([options.program, "book", rows, book])
            times.append(elapsed)
            peaks.append(peak)
        rows_mib = os.path.getsize(rows) / 2**20
        book_mib = os.path.getsize(book) / 2**20
    best, peak = min(times), max(peaks)
    print(f"{options.firms} firms: rows {rows_mib:.1f} MiB, workbook {book_mib:.1f} MiB")
    print(f"export time: {best:.2f} s (bound {TIME_BOUND} s; all: "
          + ", ".join(f"{t:.2f}" for t in times) + ")")
    print(f"export peak memory: {peak:.1f} MiB (bound {MEMORY_BOUND_MIB} MiB)")
    return 0 if best < TIME_BOUND and peak < MEMORY_BOUND_MIB else 1


if __name__ == "__main__":
    sys.exit(main())
