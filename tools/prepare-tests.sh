#!/usr/bin/env bash
# Set-up of ./test beyond the program's own: the Debian packages that only the tests need (clang
# for the fuzzers, strace, the virtual X server, the accessibility bus) and the test locales.
set -euo pipefail

packages=(
  xvfb xauth x11-utils
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
  quietly locale-gen
fi
