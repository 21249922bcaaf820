#!/bin/sh
# Installs the Debian packages the build and the tests need.
# As root the missing ones are installed; otherwise the apt-get line is printed.
PACKAGES="cmake make g++ pkg-config ccache qt6-base-dev libgl-dev libcurl4-openssl-dev zlib1g-dev \
libgtest-dev libbenchmark-dev libicu-dev tinyproxy python3 xvfb xauth desktop-file-utils \
fonts-dejavu-core qt6-tools-dev qt6-l10n-tools qt6-translations-l10n scdoc dpkg-dev \
appstream libsqlite3-dev sqlite3 poppler-utils libxlsxwriter-dev libssl-dev openssl"
[ -n "$EXTRA_PACKAGES" ] && PACKAGES="$PACKAGES $EXTRA_PACKAGES"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" = "0" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q && apt-get install -y -q --no-install-recommends $missing
    exit $?
fi
echo "Missing Debian packages. Install them with:"
echo "  sudo apt-get install$missing"
exit 1
