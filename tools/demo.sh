#!/bin/sh
# Demonstration without the real register: copies the built programs and the language
# folders to BUILD_DIR/demo, starts the stand-in register on a free loopback port,
# routes the program's queries through it (config.ini, forward-proxy mode) and its
# connectivity probe too (http_proxy), starts the window, and stops the stand-in when
# the window closes.
#
#   sh tools/demo.sh BUILD_DIR
#
# Try the names Ромашка, Лютик, Пусто, Лимит or the numbers 1027700101230, 7801005557
# (tools/standin/README.md lists them all).
set -eu

BUILD=${1:?usage: tools/demo.sh BUILD_DIR}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BIN="$BUILD/bin"
DEMO="$BUILD/demo"

[ -x "$BIN/vendrake" ] || { echo "demo: $BIN/vendrake is not built" >&2; exit 1; }
mkdir -p "$DEMO"
for program in vendrake vendrake-translit vendrake-batch; do
    [ -x "$BIN/$program" ] && cp -f "$BIN/$program" "$DEMO/"
done
for folder in Transliteration Dictionaries; do
    if [ -d "$BIN/$folder" ]; then
        rm -rf "${DEMO:?}/$folder"
        cp -R "$BIN/$folder" "$DEMO/"
    fi
done

STATE=$(mktemp -d "${TMPDIR:-/tmp}/vendrake-demo-XXXXXX")
python3 "$ROOT/tools/standin/standin.py" --port 0 --port-file "$STATE/port" \
    --log "$STATE/requests.log" &
STANDIN=$!
cleanup() {
    kill "$STANDIN" 2>/dev/null || true
    wait "$STANDIN" 2>/dev/null || true
    rm -rf "$STATE"
}
trap cleanup EXIT INT TERM

tries=0
while [ ! -s "$STATE/port" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 150 ] || ! kill -0 "$STANDIN" 2>/dev/null; then
        echo "demo: the stand-in register did not start" >&2
        exit 1
    fi
    sleep 0.1
done
PORT=$(cat "$STATE/port")

printf '[Setting]\r\nEnabledProxy=1\r\nproxy=127.0.0.1\r\nport=%s\r\n' "$PORT" > "$DEMO/config.ini"
unset no_proxy NO_PROXY HTTP_PROXY all_proxy ALL_PROXY 2>/dev/null || true
export http_proxy="http://127.0.0.1:$PORT"
# A per-user config.ini of an installed copy would win over the demo's own one and
# could route the queries past the stand-in: the demo runs with settings of its own.
export XDG_CONFIG_HOME="$STATE/config"

echo "Stand-in register on 127.0.0.1:$PORT; starting $DEMO/vendrake"
"$DEMO/vendrake" || true
