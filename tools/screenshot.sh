#!/bin/sh
# Takes docs/screenshot.png: builds the screenshot helper, which searches the stand-in
# register on loopback and grabs the main window, and runs it under a virtual X server.
# Usage: tools/screenshot.sh [BUILD_DIR]   (default: build)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target main_window_screenshot
mkdir -p "$here/docs"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
    "$build/tests-bin/main_window_screenshot" "$here/docs/screenshot.png"
echo "wrote $here/docs/screenshot.png"
