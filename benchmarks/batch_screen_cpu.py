#!/usr/bin/env python3
"""What --screen costs a vendrake-batch run: the CPU time of the batch process alone
(its own rusage from wait4, not the stand-in's) over a list of LINES lines against the
stand-in register on loopback, with --screen and without, alternating, RUNS times
each; both with --no-archive, so that only screening differs.

    batch_screen_cpu.py --program build/bin/vendrake-batch
                        --screen-program build/bin/vendrake-screen
                        [--lines 10000] [--entities 100000] [--runs 3]

The screening index holds one list of ENTITIES invented companies, generated as
FollowTheMoney JSON lines and imported with vendrake-screen: Latin names of two or
three words drawn from a few thousand, in the spellings lists use, a tenth with an INN,
and a few that the stand-in's firms match (one by INN, one by name). The language
folders beside --program are copied beside each run's copy of the program, so that
names are compared in every standard, as an installed program does.

The stand-in answers every "Лютик" line with the same two firms, and a run screens a
firm it has seen before only once: this measures the run's screening machinery (the
queue, the worker, the records) rather than the screener's cost per distinct firm,
which the screening thread's time in a run of distinct firms shows (screen_bench
measures it per firm).

Each round runs both ways back to back (which goes first alternates), so the paired
difference within a round sees nearly the same load: besides the medians of each way,
the median of those differences is reported, and the CPU time of the screening
worker's own thread ("batch-screening", read from /proc while the run lasts).
"""
import argparse
import json
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
STANDIN = os.path.join(HERE, "..", "tools", "standin", "standin.py")
LANGUAGES = ("GOST 7.79 B", "ISO 9", "English", "English (passport)", "Latin to Russian")


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


def inn_with_check_digit(first9):
    weights = (2, 4, 10, 3, 5, 9, 4, 6, 8)
    digits = [int(c) for c in first9]
    return first9 + str(sum(w * d for w, d in zip(weights, digits)) % 11 % 10)


def write_list(path, entities):
    """ENTITIES companies; words from syllables, so that tokens are shared as in real
    lists (a common word in many names, most words in few)."""
    rng = random.Random(32)
    syllables = ["ka", "ro", "mi", "sha", "vo", "lu", "te", "za", "pri", "bor", "gor",
                 "ne", "sta", "in", "vest", "trans", "neft", "stroy", "tech", "agro"]
    words = sorted({"".join(rng.choice(syllables) for _ in range(rng.randint(2, 4)))
                    for _ in range(6000)})
    common = ["Holding", "Group", "Trading", "Invest", "Industries", "Logistics"]
    forms = ["LLC", "JSC", "OOO", "AO", "Ltd", ""]
    with open(path, "w", encoding="utf-8") as f:
        for n in range(entities):
            name = " ".join(w.capitalize() for w in rng.sample(words, rng.randint(1, 2)))
            name = "%s %s %s" % (name, rng.choice(common), rng.choice(forms))
            props = {"name": [name.strip()], "topics": ["sanction"]}
            if n % 10 == 0:
                props["innCode"] = [inn_with_check_digit("%09d" % (100000000 + n))]
            entity = {"id": "bench-%d" % n, "schema": "Company", "caption": name.strip(),
                      "properties": props, "datasets": ["bench"], "target": True}
            f.write(json.dumps(entity, ensure_ascii=False) + "\n")
        # The stand-in's firm 10 by its INN, firm 11 by its name.
        f.write(json.dumps({"id": "bench-inn", "schema": "Company", "caption": "Listed",
                            "properties": {"name": ["Listed"], "innCode": ["7702004440"]},
                            "datasets": ["bench"], "target": True}) + "\n")
        f.write(json.dumps({"id": "bench-name", "schema": "Company", "caption": "Lyutik",
                            "properties": {"name": ["OOO Lyutik"]},
                            "datasets": ["bench"], "target": True}) + "\n")


def watch_thread(pid, name, seen, done):
    """Keeps in seen["cpu"] the CPU seconds of the process's thread called name, as
    last read from /proc, until done is set."""
    tick = os.sysconf("SC_CLK_TCK")
    while not done.is_set():
        try:
            for task in os.listdir("/proc/%d/task" % pid):
                with open("/proc/%d/task/%s/comm" % (pid, task)) as f:
                    if f.read().strip() != name:
                        continue
                with open("/proc/%d/task/%s/stat" % (pid, task)) as f:
                    fields = f.read().rsplit(")", 1)[1].split()
                seen["cpu"] = (int(fields[11]) + int(fields[12])) / tick
        except OSError:
            pass  # the process or the thread has just ended
        done.wait(0.05)


def run_once(program, folder, port, lines, index):
    work = tempfile.mkdtemp(dir=folder)
    shutil.copy(program, os.path.join(work, "vendrake-batch"))
    for language in LANGUAGES:
        shutil.copytree(os.path.join(os.path.dirname(program), "Transliteration", language),
                        os.path.join(work, "Transliteration", language))
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
            "--service", "127.0.0.1:%d" % port, "--jobs", "4", "--no-archive",
            "--format", "jsonl"]
    if index:
        args += ["--screen", "--screen-index", index]
    start = time.monotonic()
    with open(os.path.join(work, "stderr"), "w+b") as err_file:
        proc = subprocess.Popen(args, env=env, stdout=subprocess.DEVNULL, stderr=err_file)
        seen, done = {"cpu": 0.0}, threading.Event()
        watcher = threading.Thread(target=watch_thread,
                                   args=(proc.pid, "batch-screening", seen, done))
        watcher.start()
        _, status, usage = os.wait4(proc.pid, 0)
        done.set()
        watcher.join()
        wall = time.monotonic() - start
        err_file.seek(0)
        err = err_file.read().decode("utf-8", "replace")
    # A screened run of this list finds firm 10 by its INN: status 6.
    if os.waitstatus_to_exitcode(status) != (6 if index else 0):
        raise SystemExit("vendrake-batch ended with %d: %s" % (
            os.waitstatus_to_exitcode(status), err[-500:]))
    if index and "names are not compared" in err:
        raise SystemExit("a language folder is missing: " + err[-500:])
    shutil.rmtree(work)
    return usage.ru_utime + usage.ru_stime, wall, seen["cpu"]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--screen-program", required=True)
    parser.add_argument("--lines", type=int, default=10000)
    parser.add_argument("--entities", type=int, default=100000)
    parser.add_argument("--runs", type=int, default=3)
    options = parser.parse_args()
    folder = tempfile.mkdtemp(prefix="vendrake-batch-screen-")
    standin, port = start_standin(folder)
    try:
        source = os.path.join(folder, "bench-list.jsonl")
        write_list(source, options.entities)
        index = os.path.join(folder, "screening.sqlite")
        start = time.monotonic()
        subprocess.run([options.screen_program, "--index", index, "import", source,
                        "--name", "bench"], check=True, stdout=subprocess.DEVNULL)
        print("list of %d entities (%.1f MiB) imported in %.1f s, index %.1f MiB" % (
            options.entities, os.path.getsize(source) / 1048576, time.monotonic() - start,
            os.path.getsize(index) / 1048576), flush=True)
        cpu = {False: [], True: []}
        worker = []
        for run in range(options.runs):
            for screened in ((False, True) if run % 2 == 0 else (True, False)):
                seconds, wall, thread = run_once(options.program, folder, port, options.lines,
                                                 index if screened else None)
                cpu[screened].append(seconds)
                if screened:
                    worker.append(thread)
                print("run %d %-9s cpu %.2f s  wall %.1f s%s" % (
                    run + 1, "--screen" if screened else "plain", seconds, wall,
                    "  screening thread %.2f s" % thread if screened else ""), flush=True)
        without = statistics.median(cpu[False])
        with_screen = statistics.median(cpu[True])
        print("median cpu: plain %.2f s, --screen %.2f s, screening adds %.1f%%" % (
            without, with_screen, 100.0 * (with_screen - without) / without))
        paired = statistics.median([a - b for a, b in zip(cpu[True], cpu[False])])
        print("paired: screening adds %.2f s a run (median of %d rounds), %.1f%%; fastest "
              "runs %.2f s and %.2f s; the screening thread: median %.2f s" % (
                  paired, options.runs, 100.0 * paired / without, min(cpu[False]),
                  min(cpu[True]), statistics.median(worker)))
    finally:
        standin.terminate()
        standin.wait()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
