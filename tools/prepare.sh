#!/usr/bin/env bash
# Shared set-up of ./run and ./test: installs the missing Debian packages, then configures and builds.
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  qt6-webengine-dev libqt6webenginecore6-bin
  libjpeg62-turbo-dev
  fonts-liberation
  xvfb xauth x11-utils libx11-dev
  clang libclang-rt-14-dev
  util-linux strace
  locales
  dbus-daemon at-spi2-core python3-pyatspi
)

source "$(dirname "$0")/install-packages.sh"
install_missing_packages "${packages[@]}"

# The locale tests run the test programs under these locales (C.UTF-8 is built in).
test_locales=(ru_RU.UTF-8 en_US.UTF-8)
missing_locales=()
for test_locale in "${test_locales[@]}"; do
  # locale -a spells UTF-8 as "utf8".
  locale -a 2>/dev/null | grep -qx "${test_locale%.UTF-8}.utf8" || missing_locales+=("$test_locale")
done
if ((${#missing_locales[@]})); then
  echo "Generating locales: ${missing_locales[*]}"
  if [[ $(id -u) -ne 0 ]]; then
    echo "These locales are missing; run as root or generate them: ${missing_locales[*]}" >&2
    exit 1
  fi
  for test_locale in "${missing_locales[@]}"; do
    # Uncomment the entry, or add it where the list does not have one.
    if grep -q "^# *${test_locale} UTF-8" /etc/locale.gen; then
      sed -i "s/^# *\(${test_locale} UTF-8\)/\1/" /etc/locale.gen
    elif ! grep -q "^${test_locale} UTF-8" /etc/locale.gen; then
      echo "${test_locale} UTF-8" >>/etc/locale.gen
    fi
  done
  locale-gen >/dev/null
fi

build_dir=${BUILD_DIR:-build}
if [[ ! -f "$build_dir/build.ninja" ]]; then
  cmake -S . -B "$build_dir" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
    "$@" >/dev/null
fi
cmake --build "$build_dir"
