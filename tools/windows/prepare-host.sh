#!/usr/bin/env bash
# Installs what the Windows build needs from Debian: the MinGW-w64 compilers with POSIX threads,
# Wine to run the result, the host's Qt tools and translations, NSIS for the installer and the
# Russian locale its check runs Wine in, and a deb-src entry for the source packages of Qt and
# libjpeg.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-x86-64-dev wine wine64 xvfb xauth x11-utils
  cmake ninja-build ccache perl dpkg-dev zip
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
  nsis locales
)
sources=/etc/apt/sources.list.d/weldcalc-debian-src.sources

source "$(dirname "$0")/../install-packages.sh"
install_missing_packages "${packages[@]}"

# The installer's check runs Wine as on a Russian Windows.
if ! locale -a 2>/dev/null | grep -qx 'ru_RU.utf8'; then
  if [[ $(id -u) -ne 0 ]]; then
    echo "The locale ru_RU.UTF-8 is missing; run as root or generate it." >&2
    exit 1
  fi
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' >>/etc/locale.gen
  quietly locale-gen
fi

# Qt's and libjpeg's sources come from Debian's deb-src archive.
if ! apt-get indextargets --format '$(IDENTIFIER)' 2>/dev/null | grep -qx 'Sources'; then
  if [[ $(id -u) -ne 0 ]]; then
    echo "Run as root, or add a deb-src entry for Debian yourself." >&2
    exit 1
  fi
  cat >"$sources" <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  apt-get update -qq
fi
