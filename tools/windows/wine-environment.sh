# Sourced: the environment that runs the Windows build's programs under Wine, headless, with the
# Windows Qt and the MinGW runtime on the library path. The Wine prefix is made once in the cache.
# Usage: source tools/windows/wine-environment.sh
source "$(dirname "${BASH_SOURCE[0]}")/toolkit.sh"
export WINEPREFIX=${WINEPREFIX:-$weld_cache/wine}
export WINEDEBUG=-all
# No Mono or Gecko installers: the programs need neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
export QT_QPA_PLATFORM=offscreen

to_windows_path() { printf 'Z:%s' "${1//\//\\}"; }
WINEPATH=$(to_windows_path "$windows_prefix/bin")
for folder in "${mingw_runtime_folders[@]}"; do WINEPATH+=";$(to_windows_path "$folder")"; done
export WINEPATH

if [[ ! -f $WINEPREFIX/system.reg ]]; then
  echo "Making the Wine prefix $WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  wineserver --wait
fi
