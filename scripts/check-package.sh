#!/usr/bin/env bash
# Makes the Debian package from a build folder (build/, or $CARVELLE_BUILD,
# or the first argument) and checks it: the files it installs, the packages
# it depends on, and its desktop entry. The package is written in a
# temporary folder; the build folder is left as it was.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-${CARVELLE_BUILD:-$root/build}}" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

if ! (cd "$build" && cpack -G DEB -B "$out") >"$out/cpack.log" 2>&1; then
    cat "$out/cpack.log" >&2
    exit 1
fi
deb=$(ls "$out"/carvelle_*_amd64.deb)
status=0
fail() { echo "Paquet : $*" >&2; status=1; }

listing=$(dpkg-deb -c "$deb")
for file in /usr/bin/carvelle /usr/bin/carvelle-tool \
            /usr/lib/carvelle/carvelle-generate /usr/lib/carvelle/demo-settings.sh \
            /usr/share/applications/carvelle.desktop /usr/share/mime/packages/carvelle.xml \
            /usr/share/icons/hicolor/scalable/apps/carvelle.svg \
            /usr/share/icons/hicolor/48x48/apps/carvelle.png \
            /usr/share/icons/hicolor/128x128/apps/carvelle.png \
            /usr/share/man/man1/carvelle.1.gz /usr/share/man/man1/carvelle-tool.1.gz \
            /usr/share/doc/carvelle/copyright /usr/share/doc/carvelle/changelog.gz; do
    grep -q " \.$file\$" <<<"$listing" || fail "$file manque"
done

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libarchive13 libxlsxwriter4 libqpdf29 \
               qt6-qpa-plugins qt6-translations-l10n fonts-liberation2; do
    grep -Eq "(^|, )$package( |,|\$)" <<<"$depends" || fail "ne dépend pas de $package"
done

dpkg-deb -x "$deb" "$out/root"
desktop-file-validate "$out/root/usr/share/applications/carvelle.desktop" || fail "entrée de bureau non valide"
zcat "$out/root/usr/share/man/man1/carvelle-tool.1.gz" | grep -q '^\.SH COMMANDES' || fail "page de manuel illisible"
for page in carvelle carvelle-tool; do
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$out/root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null | grep . &&
        fail "page de manuel $page mal formée"
done

# One version everywhere: the package's is the programs' own.
version=$(dpkg-deb -f "$deb" Version)
for program in carvelle carvelle-tool; do
    shown=$(QT_QPA_PLATFORM=offscreen "$out/root/usr/bin/$program" --version 2>/dev/null || true)
    [ "$shown" = "$program $version" ] || fail "$program --version dit « $shown », le paquet $version"
done

# Debian's own checks: no error allowed. The warnings left are explained in
# the README ("Installer").
lintian --no-tag-display-limit "$deb" >"$out/lintian.log" 2>&1 || true
if grep -q '^E:' "$out/lintian.log"; then
    grep '^E:' "$out/lintian.log" >&2
    fail "lintian signale des erreurs"
fi
grep '^W:' "$out/lintian.log" >&2 || true

[ $status -eq 0 ] && echo "Paquet vérifié : $(basename "$deb"), $(du -k "$deb" | cut -f1) Ko"
exit $status
