#!/usr/bin/env python3
"""What recording in the lookup archive costs a vendrake-batch run: the CPU time of
the batch process alone (its own rusage from wait4, not the stand-in's) over a list
of LINES lines against the stand-in register on loopback, with the archive and with
--no-archive, alternating, RUNS times each.

    archive_batch_cpu.py --program build/bin/vendrake-batch [--lines 10000] [--runs 3]
                         [--peer OTHER-vendrake-batch]

With --peer, another build of the program (say, of an earlier commit) is run the same
way in the same rounds, so that both costs come from one run on an equally busy machine.

A busy machine moves single runs by a fifth or more, more than recording costs. Each
round runs both ways back to back (which goes first alternates), so the difference
within a round sees nearly the same load: besides the medians of each way, the median
of those paired differences is reported, and the fastest run of each way. The CPU time
of the recorder's own thread ("archive-writer", read from /proc while the run lasts) is
a steadier share: what recording costs beyond it is building each record on the main
thread. A program that does not name the thread shows 0.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
STANDIN = os.path.join(HERE, "..", "tools", "standin", "standin.py")


def start_standin(folder):
    port_file = os.path.join(folder, "port")
    proc = subprocess.Popen([sys.executable, STANDIN, "--port", "0", "--port-file", port_file],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(500):
        if os.path.exists(port_file) and open(port_file).read().strip():
            return proc, int(open(port_file).read().strip())
        time.sleep(0.02)
    proc.kill()
    raise SystemExit("the stand-in did not start")


def watch_writer(pid, seen, done):
    """Keeps in seen["cpu"] the CPU seconds of the process's "archive-writer" thread
    (the recorder) as last read from /proc, until done is set."""
    tick = os.sysconf("SC_CLK_TCK")
    while not done.is_set():
        try:
            for task in os.listdir("/proc/%d/task" % pid):
                with open("/proc/%d/task/%s/comm" % (pid, task)) as f:
                    if f.read().strip() != "archive-writer":
                        continue
                with open("/proc/%d/task/%s/stat" % (pid, task)) as f:
                    fields = f.read().rsplit(")", 1)[1].split()
                seen["cpu"] = (int(fields[11]) + int(fields[12])) / tick
        except OSError:
            pass  # the process or the thread has just ended
        done.wait(0.05)


def run_once(program, folder, port, lines, record):
    work = tempfile.mkdtemp(dir=folder)
    shutil.copy(program, os.path.join(work, "vendrake-batch"))
    os.makedirs(os.path.join(work, "config"))
    with open(os.path.join(work, "list.txt"), "w", encoding="utf-8") as f:
        for n in range(lines):
            # Two firms per line on one result page, and a "not found" every fifth line.
            f.write("Лютик\n" if n % 5 else "Пусто %d\n" % n)
    env = dict(os.environ)
    for name in ("no_proxy", "NO_PROXY", "HTTP_PROXY", "all_proxy", "ALL_PROXY"):
        env.pop(name, None)
    env["http_proxy"] = "http://127.0.0.1:%d" % port
    env["XDG_CONFIG_HOME"] = os.path.join(work, "config")
    env["XDG_DATA_HOME"] = os.path.join(work, "data")
    args = [os.path.join(work, "vendrake-batch"), os.path.join(work, "list.txt"),
            "--service", "127.0.0.1:%d" % port, "--jobs", "4"]
    args += ["--archive", os.path.join(work, "archive.sqlite")] if record else ["--no-archive"]
    start = time.monotonic()
    # Its progress goes to a file: a pipe nobody reads would stop it once full.
    with open(os.path.join(work, "stderr"), "w+b") as err_file:
        proc = subprocess.Popen(args, env=env, stdout=subprocess.DEVNULL, stderr=err_file)
        seen, done = {"cpu": 0.0}, threading.Event()
        watcher = threading.Thread(target=watch_writer, args=(proc.pid, seen, done))
        watcher.start()
        _, status, usage = os.wait4(proc.pid, 0)
        done.set()
        watcher.join()
        wall = time.monotonic() - start
        err_file.seek(0)
        err = err_file.read().decode("utf-8", "replace")
    if os.waitstatus_to_exitcode(status) != 0:
        raise SystemExit("vendrake-batch failed: " + err[-500:])
    size = os.path.getsize(os.path.join(work, "archive.sqlite")) if record else 0
    shutil.rmtree(work)
    return usage.ru_utime + usage.ru_stime, wall, size, seen["cpu"]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--lines", type=int, default=10000)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--peer", help="another vendrake-batch, measured alongside")
    options = parser.parse_args()
    folder = tempfile.mkdtemp(prefix="vendrake-batch-cpu-")
    standin, port = start_standin(folder)
    try:
        programs = [("", options.program)]
        if options.peer:
            programs.append(("peer ", options.peer))
        cpu = {(label, record): [] for label, _ in programs for record in (False, True)}
        writer = {label: [] for label, _ in programs}
        for run in range(options.runs):
            for label, program in programs:
                for record in ((False, True) if run % 2 == 0 else (True, False)):
                    seconds, wall, size, written = run_once(program, folder, port,
                                                            options.lines, record)
                    cpu[(label, record)].append(seconds)
                    if record:
                        writer[label].append(written / seconds)
                    print("run %d %s%-12s cpu %.2f s  wall %.1f s%s" % (
                        run + 1, label, "archive" if record else "--no-archive", seconds,
                        wall, "  archive %.1f MiB, writer thread %.2f s" % (
                            size / 1048576, written) if record else ""),
                        flush=True)
        for label, _ in programs:
            without = statistics.median(cpu[(label, False)])
            with_archive = statistics.median(cpu[(label, True)])
            print("%smedian cpu: --no-archive %.2f s, archive %.2f s, recording adds %.1f%%" % (
                label, without, with_archive, 100.0 * (with_archive - without) / without))
            paired = statistics.median(
                [a - b for a, b in zip(cpu[(label, True)], cpu[(label, False)])])
            print("%spaired: recording adds %.2f s a run (median of %d rounds), %.1f%%; "
                  "fastest runs %.2f s and %.2f s" % (
                      label, paired, options.runs, 100.0 * paired / without,
                      min(cpu[(label, False)]), min(cpu[(label, True)])))
            if any(writer[label]):
                print("%sthe archive's writer thread: median %.1f%% of a recording run's cpu" % (
                    label, 100.0 * statistics.median(writer[label])))
    finally:
        standin.terminate()
        standin.wait()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
