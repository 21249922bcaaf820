#!/bin/sh
# Whole-process comparison of vendrake-translit with uconv (ICU's converter) on 20,000
# register lines: the firm names and addresses the stand-in register serves, repeated.
# CPU time (user + system) of each command, several runs each, all in one run.
#
#   benchmarks/translit_vs_uconv.sh [BUILD_DIR]      (default: build)
#
# Needs hyperfine and uconv (Debian: hyperfine, icu-devtools).
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
tool="$build/bin/vendrake-translit"
for program in hyperfine uconv python3 "$tool"; do
    command -v "$program" >/dev/null 2>&1 || { echo "missing: $program" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
lines="$work/register.txt"
python3 - "$here/tools/standin" "$lines" <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
import firms
fields = []
for firm in firms.ALL_FIRMS:
    fields += [firm["Name"], firm["Adress"], firm["Organ"], firm["AdressOrgan"]]
with open(sys.argv[2], "w", encoding="utf-8") as out:
    for i in range(20000):
        out.write(fields[i % len(fields)] + "\n")
PY

# The languages beside the program are used: no shared data folder takes part.
export XDG_DATA_HOME="$work/none" XDG_DATA_DIRS="$work/none"

# The outputs must be whole before anything is timed.
"$tool" English <"$lines" | cmp -s - /dev/null && { echo "no output" >&2; exit 1; }
"$tool" English --dictionary English <"$lines" >/dev/null

# Run through the shell for the input redirection; hyperfine subtracts the shell's own
# start-up, the same for every command.
hyperfine --warmup 2 --runs "${RUNS:-10}" --export-json "$work/times.json" --output null \
    --command-name "vendrake-translit English" "'$tool' English <'$lines'" \
    --command-name "vendrake-translit English --dictionary English" \
        "'$tool' English --dictionary English <'$lines'" \
    --command-name "uconv -x Russian-Latin/BGN" "uconv -x Russian-Latin/BGN <'$lines'" >/dev/null

python3 - "$work/times.json" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
peer = next(r for r in results if r["command"].startswith("uconv"))
peer_cpu = peer["user"] + peer["system"]
print("20,000 register lines, %d runs each; CPU = user + system (mean)" % len(peer["times"]))
print("%-48s %9s %9s %14s" % ("command", "CPU ms", "wall ms", "vs uconv CPU"))
for r in results:
    cpu = r["user"] + r["system"]
    print("%-48s %9.1f %9.1f %13.2fx" % (r["command"], cpu * 1000, r["mean"] * 1000, peer_cpu / cpu))
PY
