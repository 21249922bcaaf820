#!/usr/bin/env python3
"""Kills vendrake-batch with SIGKILL at random moments and resumes it, many times over.

Each trial runs one list in one output format: the program is started, killed with
SIGKILL after a random pause, started again with --resume (and killed again, up to
--kills times), then resumed to the end. The final results must hold exactly the
records of an uninterrupted run of the same list (compared without the checking
times), and the final run must say that every line was checked.

    kill_resume.py --program build/bin/vendrake-batch [--trials 21] [--seed N]

Prints one line per trial and the figures at the end; exits 1 when a trial failed.
"""

import argparse
import os
import random
import re
import signal
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
STANDIN = os.path.join(HERE, "..", "standin", "standin.py")

LIST_LINES = [
    "Лютик", "7713001232", "Ромашка", "Пусто", "", "Прямо", "1027700101230",
    "7713001233", "Ромашка Север", "7801005557", "Лютик", "Ноль", "Сжатие",
]
FORMATS = ["text", "jsonl", "csv"]
RESULTS = {"text": "list_enabled.txt", "jsonl": "list_enabled.jsonl",
           "csv": "list_enabled.csv"}


def start_standin(folder):
    port_file = os.path.join(folder, "port")
    proc = subprocess.Popen([sys.executable, STANDIN, "--port", "0", "--port-file", port_file,
                             "--delay", "0.04"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(500):
        if os.path.exists(port_file):
            with open(port_file) as f:
                text = f.read().strip()
            if text:
                return proc, int(text)
        time.sleep(0.02)
    proc.kill()
    raise SystemExit("the stand-in register did not start")


def records(fmt, data):
    """The results as a sorted list of records, without the checking times."""
    if not data:
        return []
    if fmt == "text":
        blocks = data.split(b"\r\n\r\n")
        return sorted(b.strip(b"\r\n") for b in blocks if b.strip(b"\r\n"))
    lines = [l for l in data.split(b"\n") if l.strip()]
    if fmt == "jsonl":
        return sorted(re.sub(rb',"checked_at":"[^"]*"', b"", l) for l in lines)
    header, rows = lines[0], lines[1:]
    return [header] + sorted(l.rstrip(b"\r").rsplit(b";", 1)[0] for l in rows)


class Runner:
    def __init__(self, program, port, folder):
        self.program = program
        self.port = port
        self.env = dict(os.environ)
        for name in ("no_proxy", "NO_PROXY", "HTTP_PROXY", "all_proxy", "ALL_PROXY"):
            self.env.pop(name, None)
        self.env["http_proxy"] = "http://127.0.0.1:%d" % port
        self.env["XDG_CONFIG_HOME"] = os.path.join(folder, "config")

    def start(self, folder, fmt, resume, jobs):
        args = [self.program, os.path.join(folder, "list.txt"), "--format", fmt,
                "--jobs", str(jobs), "--service", "127.0.0.1:%d" % self.port]
        if resume:
            args.append("--resume")
        return subprocess.Popen(args, env=self.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.PIPE)


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return b""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--trials", type=int, default=21)
    parser.add_argument("--kills", type=int, default=3, help="at most this many per trial")
    parser.add_argument("--seed", type=int, default=None)
    options = parser.parse_args()
    seed = options.seed if options.seed is not None else int(time.time())
    rng = random.Random(seed)

    with tempfile.TemporaryDirectory() as root:
        standin, port = start_standin(root)
        runner = Runner(os.path.abspath(options.program), port, root)
        failures = 0
        kills = 0
        kills_mid_run = 0
        try:
            expected = {}
            for fmt in FORMATS:
                folder = os.path.join(root, "reference-" + fmt)
                os.makedirs(folder)
                with open(os.path.join(folder, "list.txt"), "w", encoding="utf-8") as f:
                    f.write("\n".join(LIST_LINES) + "\n")
                started = time.monotonic()
                proc = runner.start(folder, fmt, False, 2)
                _, err = proc.communicate(timeout=300)
                if proc.returncode != 1:  # line 8's check digit is wrong: exit 1
                    raise SystemExit("reference run (%s) ended with %d: %s"
                                     % (fmt, proc.returncode, err.decode()))
                expected[fmt] = (records(fmt, read(os.path.join(folder, RESULTS[fmt]))),
                                 time.monotonic() - started)

            for trial in range(options.trials):
                fmt = FORMATS[trial % len(FORMATS)]
                jobs = rng.choice([1, 2, 4])
                folder = os.path.join(root, "trial-%d" % trial)
                os.makedirs(folder)
                with open(os.path.join(folder, "list.txt"), "w", encoding="utf-8") as f:
                    f.write("\n".join(LIST_LINES) + "\n")
                reference, seconds = expected[fmt]
                resume = False
                trial_kills = 0
                for _ in range(rng.randint(1, options.kills)):
                    proc = runner.start(folder, fmt, resume, jobs)
                    time.sleep(rng.uniform(0.0, seconds * 1.1))
                    if proc.poll() is None:
                        proc.send_signal(signal.SIGKILL)
                        kills_mid_run += 1
                    proc.communicate(timeout=300)
                    trial_kills += 1
                    resume = True
                kills += trial_kills
                proc = runner.start(folder, fmt, True, jobs)
                _, err = proc.communicate(timeout=300)
                err = err.decode("utf-8", "replace")
                got = records(fmt, read(os.path.join(folder, RESULTS[fmt])))
                lines = sum(1 for l in LIST_LINES if l)
                problems = []
                if proc.returncode != 1:
                    problems.append("exit status %d" % proc.returncode)
                if got != reference:
                    problems.append("results differ (%d records, %d expected)"
                                    % (len(got), len(reference)))
                if "Summary: checked %d of %d lines" % (lines, lines) not in err:
                    problems.append("summary: " + err.strip().splitlines()[-2:].__str__())
                print("trial %2d  %-5s  jobs %d  kills %d  %s"
                      % (trial + 1, fmt, jobs, trial_kills,
                         "ok" if not problems else "FAILED: " + "; ".join(problems)))
                failures += 1 if problems else 0
        finally:
            standin.terminate()
            standin.wait()

    print("seed %d: %d trials (%s), %d runs cut short, %d of them by a SIGKILL mid-run, "
          "%d failed"
          % (seed, options.trials, ", ".join(FORMATS), kills, kills_mid_run, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
