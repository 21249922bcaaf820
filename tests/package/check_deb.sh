#!/bin/sh
# Checks a built package: every file it must hold, nothing outside /usr, owners and
# modes, the control fields and the control files' permissions.
#   check_deb.sh DEB VERSION SOURCE_DIR
# Prints each problem and exits 1 when there is one.
set -u
deb=$1
version=$2
source_dir=$3
status=0
problem() {
    echo "check_deb: $*" >&2
    status=1
}

listing=$(dpkg-deb -c "$deb") || { echo "check_deb: cannot list $deb" >&2; exit 1; }
# "MODE OWNER SIZE DATE TIME PATH": the path may hold spaces.
paths=$(printf '%s\n' "$listing" | sed -E 's/^[^ ]+ +[^ ]+ +[0-9]+ +[^ ]+ +[^ ]+ +//')
has() {
    printf '%s\n' "$paths" | grep -qxF -- "$1"
}

for path in \
    ./usr/bin/vendrake ./usr/bin/vendrake-batch ./usr/bin/vendrake-translit \
    ./usr/share/applications/vendrake.desktop \
    ./usr/share/icons/hicolor/scalable/apps/vendrake.svg \
    ./usr/share/icons/hicolor/48x48/apps/vendrake.png \
    ./usr/share/metainfo/example.quillmarsh.Vendrake.metainfo.xml \
    ./usr/share/man/man1/vendrake.1.gz ./usr/share/man/man1/vendrake-batch.1.gz \
    ./usr/share/man/man1/vendrake-translit.1.gz ./usr/share/man/man1/vendrake-archive.1.gz \
    ./usr/bin/vendrake-archive ./usr/bin/vendrake-screen \
    ./usr/share/man/man1/vendrake-screen.1.gz \
    ./usr/share/bash-completion/completions/vendrake-batch \
    ./usr/share/bash-completion/completions/vendrake-translit \
    ./usr/share/zsh/vendor-completions/_vendrake-batch \
    ./usr/share/zsh/vendor-completions/_vendrake-translit \
    ./usr/share/fish/vendor_completions.d/vendrake-batch.fish \
    ./usr/share/fish/vendor_completions.d/vendrake-translit.fish \
    ./usr/share/doc/vendrake/copyright ./usr/share/doc/vendrake/changelog.gz \
    ./usr/share/vendrake/translations/; do
    has "$path" || problem "missing $path"
done

# Every shipped language and dictionary file.
count=0
while IFS= read -r file; do
    count=$((count + 1))
    has "./usr/share/Quillmarsh/$file" || problem "missing ./usr/share/Quillmarsh/$file"
done <<EOF_FILES
$(cd "$source_dir/data" && find Transliteration Dictionaries -type f)
EOF_FILES
[ "$count" -ge 40 ] || problem "only $count data files under $source_dir/data"

outside=$(printf '%s\n' "$paths" | grep -vE '^\./(usr/.*)?$')
[ -z "$outside" ] || problem "outside /usr: $outside"
printf '%s\n' "$listing" | grep -v ' root/root ' | grep . >&2 && problem "files not owned by root"
for program in vendrake vendrake-archive vendrake-batch vendrake-screen vendrake-translit; do
    printf '%s\n' "$listing" | grep -qE "^-rwxr-xr-x .* \./usr/bin/$program\$" ||
        problem "./usr/bin/$program is not a mode 755 file"
done
printf '%s\n' "$listing" | grep -E '^-' | grep -v '/usr/bin/' | grep -v '^-rw-r--r-- ' >&2 &&
    problem "data files that are not mode 644"

field() {
    dpkg-deb -f "$deb" "$1"
}
[ "$(field Package)" = vendrake ] || problem "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || problem "Version: $(field Version), not $version"
[ "$(field Architecture)" = amd64 ] || problem "Architecture: $(field Architecture)"
field Maintainer | grep -qE '^[^<>]+ <[^<>@ ]+@[^<>@ ]+>$' || problem "Maintainer: $(field Maintainer)"
field Homepage | grep -qE '^https?://' || problem "Homepage: $(field Homepage)"
[ -n "$(field Section)" ] || problem "no Section"
[ "$(field Priority)" = optional ] || problem "Priority: $(field Priority)"
depends=$(field Depends)
# The libraries come from dpkg-shlibdeps (versioned); the platform plugin is added.
for dependency in 'libc6 (>= ' 'libqt6widgets6 (>= ' 'libqt6core6' 'libcurl4 (>= ' 'qt6-qpa-plugins'; do
    printf '%s' "$depends" | grep -qF -- "$dependency" || problem "Depends lacks $dependency: $depends"
done
field Recommends | grep -qxF qt6-translations-l10n || problem "Recommends: $(field Recommends)"
description_lines=$(field Description | wc -l)
[ "$description_lines" -ge 5 ] || problem "Description has no long description ($description_lines lines)"

control=$(dpkg-deb --ctrl-tarfile "$deb" | tar -tvf -)
for member in ./control ./md5sums; do
    printf '%s\n' "$control" | grep -qE "^-rw-r--r-- root/root .* $member\$" ||
        problem "control member $member is not root-owned mode 644"
done

# The changelog and the metainfo name this version.
tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp"
first=$(gzip -dc "$tmp/usr/share/doc/vendrake/changelog.gz" | head -n 1)
[ "$first" = "vendrake ($version) unstable; urgency=medium" ] || problem "changelog starts: $first"
grep -qF "<release version=\"$version\"" "$tmp/usr/share/metainfo/example.quillmarsh.Vendrake.metainfo.xml" ||
    problem "the metainfo has no release $version"
for page in vendrake vendrake-archive vendrake-batch vendrake-screen vendrake-translit; do
    gzip -dc "$tmp/usr/share/man/man1/$page.1.gz" | grep -q '^\.SH EXIT STATUS' ||
        problem "$page(1) has no EXIT STATUS section"
done

[ "$status" -eq 0 ] && echo "check_deb: $deb is complete"
exit "$status"
