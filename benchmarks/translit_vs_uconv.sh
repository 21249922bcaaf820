#!/bin/sh
# Whole-process figures of vendrake-translit, all from one run:
#  - CPU time (user + system) on 20,000 register lines (the firm names and addresses the
#    stand-in register serves, repeated) with "English" and with "--dictionary English",
#    next to uconv (ICU's converter, Russian-Latin/BGN) on the same lines, and the ratio;
#  - system calls per 1,000 lines (strace -c), reads of stdin and writes of stdout apart
#    from the rest, the calls of the conversion path;
#  - one line of 1,000,000 characters converted by a language of 200,000 exception rules.
#
#   benchmarks/translit_vs_uconv.sh [BUILD_DIR]      (default: build-bench, else build)
#
# RUNS (default 10) sets the runs per command. OLD=/path/to/an/older/vendrake-translit
# adds that program to every table, so two versions are compared in the same run.
# Needs python3, uconv and strace (Debian: icu-devtools, strace).
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -ge 1 ]; then
    build=$1
elif [ -x "$here/build-bench/bin/vendrake-translit" ]; then
    build=$here/build-bench
else
    build=$here/build
fi
tool="$(cd "$build" && pwd)/bin/vendrake-translit"
for program in uconv python3 strace "$tool" ${OLD:+"$OLD"}; do
    command -v "$program" >/dev/null 2>&1 || { echo "missing: $program" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The shipped languages and dictionaries, in a shared data folder of their own so that
# every program compared reads the same files.
mkdir -p "$work/share/Quillmarsh"
cp -r "$here/data/Transliteration" "$here/data/Dictionaries" "$work/share/Quillmarsh/"
export XDG_DATA_HOME="$work/share" XDG_DATA_DIRS="$work/none"

exec python3 - "$here" "$work" "$tool" "${OLD:-}" "${RUNS:-10}" <<'PY'
import os, re, subprocess, sys, random
here, work, tool, old, runs = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4], int(sys.argv[5])
sys.path.insert(0, os.path.join(here, "tools", "standin"))
import firms

fields = []
for firm in firms.ALL_FIRMS:
    fields += [firm["Name"], firm["Adress"], firm["Organ"], firm["AdressOrgan"]]
LINES = 20000
lines_path = os.path.join(work, "register.txt")
with open(lines_path, "w", encoding="utf-8") as out:
    for i in range(LINES):
        out.write(fields[i % len(fields)] + "\n")
# The first 1,000 lines: what a run costs besides its lines (start-up, reading the
# rules, threads that start) is the same in both, and the difference is the lines' own.
FEW = 1000
few_lines = os.path.join(work, "few.txt")
with open(few_lines, "w", encoding="utf-8") as out:
    for i in range(FEW):
        out.write(fields[i % len(fields)] + "\n")

def cpu(argv, stdin_path):
    """CPU seconds (user + system) of one run of argv, output discarded."""
    with open(stdin_path, "rb") as src, open(os.devnull, "wb") as sink:
        proc = subprocess.Popen(argv, stdin=src, stdout=sink)
        _, status, usage = os.wait4(proc.pid, 0)
    if status != 0:
        sys.exit("failed: %s" % " ".join(argv))
    return usage.ru_utime + usage.ru_stime

programs = [("new", tool)] + ([("old", old)] if old else [])
commands = []
for label, program in programs:
    commands.append(("%s English" % label, [program, "English"]))
    commands.append(("%s English --dictionary English" % label,
                     [program, "English", "--dictionary", "English"]))
commands.append(("uconv -x Russian-Latin/BGN", ["uconv", "-x", "Russian-Latin/BGN"]))

# The outputs must be whole before anything is timed.
for name, argv in commands:
    got = subprocess.run(argv, stdin=open(lines_path, "rb"), capture_output=True, check=True)
    if got.stdout.count(b"\n") != LINES:
        sys.exit("%s: %d lines out" % (name, got.stdout.count(b"\n")))

times = {name: [] for name, _ in commands}
for _ in range(runs):  # interleaved, so that load from elsewhere hits every command alike
    for name, argv in commands:
        times[name].append(cpu(argv, lines_path))

def mean(xs):
    return sum(xs) / len(xs)

peer = mean(times["uconv -x Russian-Latin/BGN"])
print("%d register lines, %d runs each, CPU = user + system" % (LINES, runs))
print("%-38s %9s %9s %12s" % ("command", "mean ms", "min ms", "uconv/ours"))
for name, _ in commands:
    print("%-38s %9.1f %9.1f %11.2fx" % (name, mean(times[name]) * 1000, min(times[name]) * 1000,
                                        peer / mean(times[name])))

def strace_counts(argv, stdin_path):
    """strace -c -f: calls by name over the whole process."""
    log = os.path.join(work, "strace-c.log")
    with open(stdin_path, "rb") as src, open(os.devnull, "wb") as sink:
        subprocess.run(["strace", "-c", "-f", "-o", log] + argv, stdin=src, stdout=sink,
                       check=True)
    counts = {}
    for line in open(log, encoding="utf-8", errors="replace"):
        cells = line.split()
        # "% time  seconds  usecs/call  calls  [errors]  syscall"
        if len(cells) >= 5 and cells[-1] != "total" and re.match(r"[\d.]+$", cells[0]):
            counts[cells[-1]] = int(cells[3])
    return counts

def stdio_calls(argv, stdin_path):
    """Reads of standard input and writes of standard output (strace -e trace)."""
    log = os.path.join(work, "strace-io.log")
    with open(stdin_path, "rb") as src, open(os.devnull, "wb") as sink:
        subprocess.run(["strace", "-f", "-qq", "-e", "trace=read,write,readv,writev", "-o",
                        log] + argv, stdin=src, stdout=sink, check=True)
    n = 0
    for line in open(log, encoding="utf-8", errors="replace"):
        if re.search(r"\b(read|readv)\(0,|\b(write|writev)\(1,", line):
            n += 1
    return n

print()
print("system calls per 1,000 lines, strace -c -f (20,000 lines less 1,000, least of 3)")
print("%-38s %10s %12s %16s" % ("command", "all", "stdin/stdout", "conversion path"))
for name, argv in commands[:-1]:
    # Start-up differs a little from run to run (threads of the libraries): the run
    # with the fewest calls of three counts.
    many = min((strace_counts(argv, lines_path) for _ in range(3)), key=lambda c: sum(c.values()))
    few = min((strace_counts(argv, few_lines) for _ in range(3)), key=lambda c: sum(c.values()))
    inout = stdio_calls(argv, lines_path) - stdio_calls(argv, few_lines)
    rest = {k: many.get(k, 0) - few.get(k, 0) for k in set(many) | set(few)}
    total = sum(rest.values())
    rest = {k: v for k, v in rest.items() if v}
    per = 1000.0 / (LINES - FEW)
    print("%-38s %10.2f %12.2f %16.2f   (all: %s)" % (
        name, total * per, inout * per, (total - inout) * per,
        " ".join("%s:%d" % kv for kv in sorted(rest.items()))))

# 200,000 exception rules: patterns cut from the register's own words, of every kind,
# and one line of 1,000,000 characters of register text.
random.seed(200000)
words = [w for f in fields for w in re.findall(r"\w+", f.lower()) if len(w) >= 2]
def piece():
    w = random.choice(words)
    n = random.randint(2, min(6, len(w)))
    s = random.randint(0, len(w) - n)
    return w[s:s + n]
rules = []
latin = "abcdefghijklmnopqrstuvwxyz"
for i in range(200000):
    x, y = piece(), "".join(random.choice(latin) for _ in range(random.randint(1, 4)))
    e = ",".join(piece()[:2] for _ in range(random.randint(1, 3)))
    kind = i % 10
    rules.append([
        "Отдельно стоящее |%s|%s|" % (x, y), "Точная замена |%s|%s|" % (x, y),
        "В начале |%s|%s|" % (x, y), "В середине |%s|%s|" % (x, y), "В конце |%s|%s|" % (x, y),
        "В начале |%s| и после стоит |%s| меняем на |%s|" % (x, e, y),
        "В конце |%s| и перед стоит |%s| меняем на |%s|" % (x, e, y),
        "Если после |%s| стоит |%s| меняем на |%s|" % (x, e, y),
        "Если перед |%s| стоит |%s| меняем на |%s|" % (x, e, y),
        "Если между |%s-%s| стоит |%s| меняем на |%s|" % (piece()[:1], piece()[:1], x, y),
    ][kind])
many = os.path.join(work, "share", "Quillmarsh", "Transliteration", "Many")
os.makedirs(many)
english = os.path.join(work, "share", "Quillmarsh", "Transliteration", "English", "English.dat")
with open(english, "rb") as src, open(os.path.join(many, "Many.dat"), "wb") as dst:
    dst.write(src.read())
with open(os.path.join(many, "exception.dat"), "wb") as out:
    out.write("".join(r + "\r\n" for r in rules).encode("utf-16-le"))
big_line = os.path.join(work, "big.txt")
text = ""
i = 0
while len(text) < 1000000:
    text += fields[i % len(fields)] + " "
    i += 1
with open(big_line, "w", encoding="utf-8") as out:
    out.write(text[:1000000] + "\n")
print()
print("one line of 1,000,000 characters, 200,000 exception rules (CPU s, rules read included)")
for label, program in programs:
    secs = [cpu([program, "Many"], big_line) for _ in range(1 if label == "old" else 3)]
    print("%-38s %9.2f" % ("%s Many" % label, min(secs)))
PY
