#!/bin/sh
# Builds the package from the build folder into a scratch folder and checks it.
#   package_test.sh CPACK BUILD_DIR SCRATCH VERSION SOURCE_DIR
# Exits 77 (skipped) without the Debian packaging tools.
set -u
cpack=$1 build=$2 scratch=$3 version=$4 source_dir=$5
for tool in dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool not found (Debian package dpkg-dev)"; exit 77; }
done
rm -rf "$scratch"
"$cpack" --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch.log" 2>&1 ||
    { cat "$scratch.log"; exit 1; }
deb="$scratch/vendrake_${version}_amd64.deb"
[ -f "$deb" ] || { echo "no $deb"; ls "$scratch"; exit 1; }
sh "$source_dir/tests/package/check_deb.sh" "$deb" "$version" "$source_dir"
