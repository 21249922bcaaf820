#!/bin/sh
# Throughput and memory of vendrake-batch against the stand-in register on loopback.
#
#   sh tools/batch_bench.sh [BUILD_DIR] [LINES] [mix|big] [-- OPTIONS...]
#
# mix (default): LINES lines of three-page name searches, one-page searches, entry
# pages and messages. big: three lines whose answers hold ROWS firms each (default
# 180,000, set ROWS=...), run at once. OPTIONS go to vendrake-batch (say --jobs 8).
#
# Prints lines per second, the peak memory of the batch process (/usr/bin/time -v),
# the CPU time of the program and of the stand-in side by side (so a slow stand-in
# shows up instead of passing for a slow program), and the requests per line from
# the stand-in's log. PEER=/path/to/another/vendrake-batch runs that program on the
# same list right after, for a side-by-side comparison (without OPTIONS). Both reach
# the stand-in through the proxy of a config.ini beside them, as a user's copy would.
set -eu

BUILD=${1:-build}
LINES=${2:-1000}
MODE=${3:-mix}
shift $(( $# < 3 ? $# : 3 ))
[ "${1:-}" = "--" ] && shift
ROWS=${ROWS:-180000}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
PROGRAM="$BUILD/bin/vendrake-batch"
[ -x "$PROGRAM" ] || { echo "batch_bench: $PROGRAM is not built" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "batch_bench: /usr/bin/time is missing (Debian package 'time')" >&2; exit 1; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/vendrake-bench-XXXXXX")
python3 "$ROOT/tools/standin/standin.py" --port 0 --port-file "$WORK/port" --log "$WORK/requests.log" &
STANDIN=$!
cleanup() {
    kill "$STANDIN" 2>/dev/null || true
    wait "$STANDIN" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT INT TERM
tries=0
while [ ! -s "$WORK/port" ]; do
    tries=$((tries + 1))
    [ $tries -le 150 ] || { echo "batch_bench: the stand-in did not start" >&2; exit 1; }
    sleep 0.1
done
PORT=$(cat "$WORK/port")

python3 - "$LINES" "$MODE" "$ROWS" > "$WORK/list.txt" <<'PY'
import sys
n, mode, rows = int(sys.argv[1]), sys.argv[2], int(sys.argv[3])
if mode == "big":
    sys.stdout.write("".join(f"Лавина{rows}\n" for _ in range(3)))
else:
    mix = ["Ромашка", "1027700101230", "Лютик", "7801005557", "Пусто", "Прямо", "1195476003140"]
    sys.stdout.write("".join(mix[i % len(mix)] + "\n" for i in range(n)))
PY
[ "$MODE" = big ] && LINES=3

# CPU ticks (user + system) the stand-in has used so far.
standin_ticks() { awk '{ print $14 + $15 }' "/proc/$STANDIN/stat"; }

unset no_proxy NO_PROXY HTTP_PROXY all_proxy ALL_PROXY 2>/dev/null || true
export http_proxy="http://127.0.0.1:$PORT"
export XDG_CONFIG_HOME="$WORK/config"

# run_one NAME PROGRAM [OPTIONS...]: one timed run in a folder of its own.
run_one() {
    name=$1 program=$2
    shift 2
    dir="$WORK/$name"
    mkdir -p "$dir"
    cp "$program" "$dir/vendrake-batch"
    cp "$WORK/list.txt" "$dir/list.txt"
    printf '[Setting]\r\nEnabledProxy=1\r\nproxy=127.0.0.1\r\nport=%s\r\n' "$PORT" > "$dir/config.ini"
    : > "$WORK/requests.log"
    before=$(standin_ticks)
    status=0
    /usr/bin/time -v "$dir/vendrake-batch" "$dir/list.txt" "$@" 2> "$dir/time.txt" || status=$?
    after=$(standin_ticks)
    echo "== $name: $program $*"
    grep -E '^(Summary|No Internet|Cannot|line )' "$dir/time.txt" | tail -3 || true
    python3 - "$LINES" "$status" "$dir/time.txt" "$WORK/requests.log" "$before" "$after" \
        "$(getconf CLK_TCK)" "$MODE" "$ROWS" <<'PY'
import re, sys
lines, status, timefile, log = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
mode, rows = sys.argv[8], int(sys.argv[9])
standin_cpu = (int(sys.argv[6]) - int(sys.argv[5])) / int(sys.argv[7])
t = open(timefile, encoding="utf-8", errors="replace").read()
def field(name):
    return re.search(r"^\s*" + re.escape(name) + r": (.*)$", t, re.M).group(1)
seconds = 0.0
for part in field("Elapsed (wall clock) time (h:mm:ss or m:ss)").split(":"):
    seconds = seconds * 60 + float(part)
cpu = float(field("User time (seconds)")) + float(field("System time (seconds)"))
requests = [l for l in open(log, encoding="latin-1") if l.strip()]
searches = [l for l in requests if l.startswith("POST ")]
print(f"exit status: {status}")
print(f"lines: {lines}, wall time: {seconds:.2f} s, lines per second: {lines / max(seconds, 1e-9):.1f}")
peak = int(field('Maximum resident set size (kbytes)')) / 1024
print(f"peak memory: {peak:.1f} MiB")
if mode == "big":
    print(f"peak memory of {lines} answers of {rows} rows at once: {peak:.1f} MiB "
          f"({'within' if peak < 64 else 'over'} the 64 MiB goal)")
print(f"CPU time: vendrake-batch {cpu:.2f} s ({1000 * cpu / lines:.2f} ms a line), stand-in {standin_cpu:.2f} s")
print(f"requests per line: {len(requests) / lines:.2f} (searches {len(searches) / lines:.2f})")
PY
}

run_one new "$PROGRAM" "$@"
if [ -n "${PEER:-}" ]; then
    run_one peer "$PEER"
fi
