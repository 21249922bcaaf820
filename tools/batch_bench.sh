#!/bin/sh
# Throughput of vendrake-batch against the stand-in register on loopback: a list of
# LINES lines (default 1000) of names and numbers; prints lines per second and the
# peak memory of the batch process (/usr/bin/time -v).
#
#   sh tools/batch_bench.sh [BUILD_DIR] [LINES]
set -eu

BUILD=${1:-build}
LINES=${2:-1000}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
PROGRAM="$BUILD/bin/vendrake-batch"
[ -x "$PROGRAM" ] || { echo "batch_bench: $PROGRAM is not built" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "batch_bench: /usr/bin/time is missing (Debian package 'time')" >&2; exit 1; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/vendrake-bench-XXXXXX")
python3 "$ROOT/tools/standin/standin.py" --port 0 --port-file "$WORK/port" &
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

cp "$PROGRAM" "$WORK/vendrake-batch"
printf '[Setting]\r\nEnabledProxy=1\r\nproxy=127.0.0.1\r\nport=%s\r\n' "$PORT" > "$WORK/config.ini"
# A mix of three-page name searches, one-page searches, entry pages and messages.
python3 - "$LINES" > "$WORK/list.txt" <<'PY'
import sys
mix = ["Ромашка", "1027700101230", "Лютик", "7801005557", "Пусто", "Прямо", "1195476003140"]
n = int(sys.argv[1])
sys.stdout.write("".join(mix[i % len(mix)] + "\n" for i in range(n)))
PY

unset no_proxy NO_PROXY HTTP_PROXY all_proxy ALL_PROXY 2>/dev/null || true
export http_proxy="http://127.0.0.1:$PORT"
status=0
/usr/bin/time -v "$WORK/vendrake-batch" "$WORK/list.txt" 2> "$WORK/time.txt" || status=$?

elapsed=$(sed -n 's/^[[:space:]]*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$WORK/time.txt")
peak=$(sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): //p' "$WORK/time.txt")
grep -E '^(Lines done|No Internet|Cannot)' "$WORK/time.txt" | tail -1
python3 - "$LINES" "$elapsed" "$peak" "$status" <<'PY'
import sys
lines, elapsed, peak, status = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
seconds = 0.0
for part in elapsed.split(":"):
    seconds = seconds * 60 + float(part)
print(f"exit status: {status}")
print(f"lines: {lines}, wall time: {seconds:.2f} s, lines per second: {lines / max(seconds, 1e-9):.1f}")
print(f"peak memory: {int(peak) / 1024:.1f} MiB")
PY
