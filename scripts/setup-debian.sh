#!/usr/bin/env bash
# Installs what building, testing and packaging Carvelle needs on Debian 12
# (libarchive-dev for the backups, libxlsxwriter-dev for the spreadsheet
# exports, unzip for the tests that read them back, dpkg-dev and file for
# CPack's dependency list, desktop-file-utils and lintian for the package
# check, pkgconf to find libxlsxwriter and libqpdf; libqpdf-dev to embed the
# XML of electronic invoices; libxml2-utils, libsaxonhe-java,
# default-jre-headless and qpdf for the tests that check them against the
# standard's own rules, python3 for the script that reads their report).
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev qt6-translations-l10n fonts-liberation2
          libgtest-dev libgmock-dev libbenchmark-dev poppler-utils libarchive-dev
          libxlsxwriter-dev pkgconf unzip dpkg-dev file desktop-file-utils lintian
          libqpdf-dev qpdf libxml2-utils libsaxonhe-java default-jre-headless python3)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installation de : ${missing[*]}"
as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
