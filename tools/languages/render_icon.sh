#!/bin/sh
# Renders the program icon's 48x48 PNG from its SVG (needs rsvg-convert, Debian package
# librsvg2-bin). The PNG is kept in the repository, so building never needs this.
set -e
icons="$(dirname "$0")/../../packaging/icons"
rsvg-convert -w 48 -h 48 "$icons/vendrake.svg" -o "$icons/vendrake-48.png"
