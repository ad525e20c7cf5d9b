#!/usr/bin/env bash
# Puts weldcalc.exe into a folder with everything it needs on a Windows machine that has nothing
# else installed: the Qt and MinGW libraries it loads (found by following the import tables),
# the platform, style and image plugins, and Qt's Russian translations.
# Usage: assemble-package.sh <weldcalc.exe> <folder> [<companion.exe>...] (weldcheck.exe beside it)
set -euo pipefail
source "$(dirname "$0")/toolkit.sh"
exe=$1
folder=$2
companions=("${@:3}")
prefix=$windows_prefix
library_folders=("$prefix/bin" "${mingw_runtime_folders[@]}")

rm -rf "$folder"
mkdir -p "$folder/platforms" "$folder/styles" "$folder/imageformats" "$folder/translations"
cp "$exe" "${companions[@]}" "$folder/"
cp "$prefix/plugins/platforms/qwindows.dll" "$folder/platforms/"
cp "$prefix"/plugins/styles/*.dll "$folder/styles/" 2>/dev/null || true
cp "$prefix"/plugins/imageformats/*.dll "$folder/imageformats/" 2>/dev/null || true
cp "$prefix"/translations/qtbase_ru.qm "$folder/translations/"

imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'; }

# Every library a packaged file imports that is not part of Windows, and theirs in turn.
queue=("$folder"/*.exe "$folder"/*/*.dll)
declare -A seen=()
while ((${#queue[@]})); do
  file=${queue[0]}
  queue=("${queue[@]:1}")
  while read -r dll; do
    key=${dll,,}
    [[ -n ${seen[$key]:-} ]] && continue
    seen[$key]=1
    for dir in "${library_folders[@]}"; do
      if [[ -f $dir/$dll ]]; then
        cp "$dir/$dll" "$folder/"
        queue+=("$folder/$dll")
        break
      fi
    done
  done < <(imports "$file")
done

# Symbols are for debugging the build, not for the user's disk.
find "$folder" -iname '*.dll' -o -iname '*.exe' | xargs x86_64-w64-mingw32-strip --strip-unneeded
