#!/usr/bin/env bash
# Checks our rich text against a real word processor (LibreOffice Writer,
# Debian package libreoffice-writer-nogui). Run by hand, not in CI.
#
#   scripts/rtf-fixtures.sh fixtures <build>   rewrites tests/data/rtf/*.rtf from
#                                              the letters of scripts/rtf-letters/
#   scripts/rtf-fixtures.sh check <build>      has tools_tests write our own letter,
#                                              lets LibreOffice open it and turn
#                                              it into plain text, and compares
#
# <build> is a configured build folder in which tools_tests is built.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-check}
build=${2:-$here/build}
command -v soffice >/dev/null || { echo "soffice missing: apt-get install libreoffice-writer-nogui" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A profile of its own, so a running LibreOffice is left alone.
profile="-env:UserInstallation=file://$work/profile"

case "$mode" in
fixtures)
    soffice "$profile" --headless --infilter="HTML (StarWriter)" --convert-to rtf \
        --outdir "$here/tests/data/rtf" "$here"/scripts/rtf-letters/*.html
    ls -l "$here/tests/data/rtf"
    ;;
check)
    CARVELLE_RTF_SAMPLE_DIR="$work" "$build/tests/tools_tests" \
        --gtest_filter='Rtf.WriterOutputReadsBackTheSame' >/dev/null
    soffice "$profile" --headless --convert-to "txt:Text (encoded):UTF8" --outdir "$work" \
        "$work/ours.rtf" >/dev/null
    # LibreOffice writes a byte order mark, CR LF, and indents list items.
    got=$(sed -e '1s/^\xEF\xBB\xBF//' -e 's/\r$//' -e 's/^ *•/•/' "$work/ours.txt")
    want=$(cat "$work/ours.expected.txt")
    if [ "$got" == "$want" ]; then
        echo "LibreOffice reads our letter as written:"
        echo "$got"
    else
        echo "LibreOffice reads our letter differently:" >&2
        diff <(echo "$want") <(echo "$got") >&2 || true
        exit 1
    fi
    # The formats, as LibreOffice keeps them in its own flat document.
    soffice "$profile" --headless --convert-to fodt --outdir "$work" "$work/ours.rtf" >/dev/null
    for format in 'fo:text-align="center"' 'fo:text-align="end"' 'fo:font-weight="bold"' \
        'fo:font-style="italic"' 'style:text-underline-style="solid"' 'fo:margin-left="0.5in"' \
        'fo:text-indent="-0.25in"' 'fo:font-size="16pt"' 'Arial' '<text:list '; do
        grep -q "$format" "$work/ours.fodt" || { echo "LibreOffice lost $format" >&2; exit 1; }
    done
    echo "and keeps its alignment, indents, bold, italic, underline, sizes, fonts and bullets."
    ;;
*)
    echo "usage: $0 fixtures|check <build folder>" >&2
    exit 2
    ;;
esac
