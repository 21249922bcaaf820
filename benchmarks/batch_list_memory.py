#!/usr/bin/env python3
"""Peak memory of a whole vendrake-batch run on large lists, against the stand-in
register on loopback: the process's maximum resident size (its own rusage from wait4).

    batch_list_memory.py --program build/bin/vendrake-batch [--peer OTHER-vendrake-batch]
                         [--blank-mib 10] [--names-mib 64]

Two lists are run:

- blank: BLANK_MIB MiB of empty lines (LF). Nothing is sent; the run reads the list,
  counts its lines and ends. Its peak must not grow with the number of lines.
- names: NAMES_MIB MiB of distinct names, one a line. The stand-in answers every search
  with its daily-limit message (--daily-limit 0), so the first line meets the limit and
  every other line is recorded as unchecked and listed in FILE_unchecked.txt: the whole
  list is read, planned, walked and written back once.
- resume: the names run again with --resume, which first reads the progress file of
  the run before (a record for every line).

Each run's peak is printed beside its bound (blank: 64 MiB; names: 200 MiB); the script
exits 1 when one is over. With --peer, another build of the program (say, of an earlier
commit) runs the same lists right after, for comparison; its peaks are not judged.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
STANDIN = os.path.join(HERE, "..", "tools", "standin", "standin.py")
MIB = 1024 * 1024
BOUNDS = {"blank": 64, "names": 200, "resume": 200}  # MiB


def start_standin(folder):
    port_file = os.path.join(folder, "port")
    proc = subprocess.Popen([sys.executable, STANDIN, "--port", "0", "--port-file", port_file,
                             "--daily-limit", "0"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(500):
        if os.path.exists(port_file) and open(port_file).read().strip():
            return proc, int(open(port_file).read().strip())
        time.sleep(0.02)
    proc.kill()
    raise SystemExit("batch_list_memory: the stand-in did not start")


def write_lists(folder, blank_mib, names_mib):
    lists = {}
    blank = os.path.join(folder, "blank.txt")
    with open(blank, "wb") as f:
        f.write(b"\n" * (blank_mib * MIB))
    lists["blank"] = blank
    names = os.path.join(folder, "names.txt")
    with open(names, "wb") as f:
        size = 0
        n = 0
        chunk = []
        while size < names_mib * MIB:
            line = ("ООО Ромашка %d\n" % n).encode("utf-8")
            if size + len(line) > names_mib * MIB:
                break
            chunk.append(line)
            size += len(line)
            n += 1
            if len(chunk) == 65536:
                f.write(b"".join(chunk))
                chunk = []
        f.write(b"".join(chunk))
    lists["names"] = names
    return lists


def run(program, list_path, port, folder, resume=False):
    """Runs program on list_path; returns (exit status, peak MiB, seconds, stderr)."""
    env = dict(os.environ)
    for name in ("no_proxy", "NO_PROXY", "HTTP_PROXY", "all_proxy", "ALL_PROXY"):
        env.pop(name, None)
    env["http_proxy"] = "http://127.0.0.1:%d" % port
    env["XDG_CONFIG_HOME"] = os.path.join(folder, "config")
    env["XDG_DATA_HOME"] = os.path.join(folder, "data")
    for suffix in ("_enabled.txt", "_enabled.progress", "_unchecked.txt"):
        path = list_path[:-4] + suffix
        if os.path.exists(path) and not resume:
            os.remove(path)
    start = time.monotonic()
    proc = subprocess.Popen([program, list_path, "--service", "127.0.0.1:%d" % port,
                             "--no-archive", "--jobs", "1"] + (["--resume"] if resume else []),
                            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    err = proc.stderr.read()
    _, status, usage = os.wait4(proc.pid, 0)
    proc.returncode = os.waitstatus_to_exitcode(status)
    seconds = time.monotonic() - start
    return proc.returncode, usage.ru_maxrss / 1024.0, seconds, err.decode("utf-8", "replace")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--peer")
    parser.add_argument("--blank-mib", type=int, default=10)
    parser.add_argument("--names-mib", type=int, default=64)
    args = parser.parse_args()

    folder = tempfile.mkdtemp(prefix="vendrake-list-memory-")
    standin = None
    over = False
    try:
        standin, port = start_standin(folder)
        lists = write_lists(folder, args.blank_mib, args.names_mib)
        programs = [("program", args.program)] + ([("peer", args.peer)] if args.peer else [])
        print("%-8s %-6s %8s %10s %8s %6s" % ("who", "list", "MiB", "peak MiB", "bound", "exit"))
        for who, program in programs:
            for kind in ("blank", "names", "resume"):
                path = lists["names" if kind == "resume" else kind]
                status, peak, seconds, err = run(os.path.abspath(program), path, port, folder,
                                                 resume=kind == "resume")
                judged = who == "program"
                bad = judged and peak > BOUNDS[kind]
                over = over or bad
                print("%-8s %-6s %8.1f %10.1f %8s %6d  %.1f s%s" % (
                    who, kind, os.path.getsize(path) / MIB, peak,
                    BOUNDS[kind] if judged else "-", status, seconds,
                    "  OVER THE BOUND" if bad else ""))
                # A run that ended for another reason than the expected one measured
                # something else.
                expected = 0 if kind == "blank" else 5
                if judged and status != expected:
                    print("  unexpected exit %d (expected %d): %s" % (
                        status, expected, err.strip().splitlines()[-1:] or ""))
                    over = True
    finally:
        if standin is not None:
            standin.terminate()
            standin.wait()
        shutil.rmtree(folder, ignore_errors=True)
    return 1 if over else 0


if __name__ == "__main__":
    sys.exit(main())
