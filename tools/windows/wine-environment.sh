# Sourced: the environment that runs the Windows build's programs under Wine, headless, with the
# Windows Qt and the MinGW runtime on the library path. The Wine prefix is made once in the cache.
# Usage: source tools/windows/wine-environment.sh <windows prefix>
windows_prefix=$1
export WINEPREFIX=${WINEPREFIX:-${WELDCALC_CACHE:-$HOME/.cache/weldcalc}/wine}
export WINEDEBUG=-all
# No Mono or Gecko installers: the programs need neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
export QT_QPA_PLATFORM=offscreen

to_windows_path() { printf 'Z:%s' "${1//\//\\}"; }
export WINEPATH="$(to_windows_path "$windows_prefix/bin");$(to_windows_path /usr/lib/gcc/x86_64-w64-mingw32/12-posix);$(to_windows_path /usr/x86_64-w64-mingw32/lib)"

if [[ ! -f $WINEPREFIX/system.reg ]]; then
  echo "Making the Wine prefix $WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  wineserver --wait
fi
