#!/bin/sh
# Runs a validator over a file and fails on any error or warning it prints; exits 77
# (skipped) when the validator is not installed.
#   validate_test.sh desktop FILE | validate_test.sh metainfo FILE
set -u
kind=$1 file=$2
case $kind in
    desktop) tool=desktop-file-validate package=desktop-file-utils ;;
    metainfo) tool=appstreamcli package=appstream ;;
    *) echo "unknown kind $kind"; exit 2 ;;
esac
command -v "$tool" >/dev/null 2>&1 || { echo "$tool not found (Debian package $package)"; exit 77; }
if [ "$kind" = desktop ]; then
    out=$(desktop-file-validate "$file" 2>&1)
    rc=$?
    [ "$rc" -eq 0 ] && [ -z "$out" ] && exit 0
else
    out=$(appstreamcli validate --no-net --no-color "$file" 2>&1)
    rc=$?
    # Infos (I:) and pedantic notes (P:) are advice; warnings and errors are not.
    [ "$rc" -eq 0 ] && ! printf '%s\n' "$out" | grep -qE '^(W|E): ' && exit 0
fi
printf '%s\n' "$out"
exit 1
