#!/bin/sh
# The window program answers --help, -h and --version without a display, and the
# manual pages render without a formatter warning.
#   program_answers.sh BIN_DIR VERSION MAN_DIR
set -u
bin=$1 version=$2 man_dir=$3
status=0
problem() {
    echo "program_answers: $*" >&2
    status=1
}
nodisplay() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR=/nonexistent "$@"
}

out=$(nodisplay "$bin/vendrake" --version 2>&1)
rc=$?
[ "$rc" -eq 0 ] && [ "$out" = "vendrake $version" ] || problem "vendrake --version: $rc, $out"
for option in --help -h; do
    out=$(nodisplay "$bin/vendrake" "$option" 2>&1)
    rc=$?
    [ "$rc" -eq 0 ] || problem "vendrake $option exits $rc: $out"
    case $out in
        "usage: vendrake "*) ;;
        *) problem "vendrake $option: $out" ;;
    esac
    for line in "  -h, --help " "  --version " "Exit status: "; do
        printf '%s\n' "$out" | grep -qF -- "$line" || problem "vendrake $option lacks \"$line\""
    done
done

if command -v man >/dev/null 2>&1; then
    for page in vendrake vendrake-archive vendrake-batch vendrake-screen vendrake-translit; do
        [ -f "$man_dir/$page.1" ] || { problem "no $man_dir/$page.1"; continue; }
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
            "$man_dir/$page.1" 2>&1 >/dev/null)
        [ -z "$warnings" ] || problem "$page.1: $warnings"
    done
fi
exit "$status"
