#!/usr/bin/env bash
# Writes the per-user installer of an assembled package folder with NSIS. Every file of the folder
# is listed here, at build time, once for installing and once for removing, so that the
# uninstaller removes exactly what was installed and nothing the user put beside it.
# Usage: build-installer.sh <package folder> <version> <setup.exe>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
folder=$(cd "$1" && pwd)
version=$2
output=$(realpath -m "$3")
lists=$(mktemp -d)
trap 'rm -rf "$lists"' EXIT

mapfile -t files < <(cd "$folder" && find . -type f -printf '%P\n' | LC_ALL=C sort)
mapfile -t folders < <(cd "$folder" && find . -mindepth 1 -type d -printf '%P\n' | LC_ALL=C sort -r)
[[ " ${files[*]} " == *" weldcalc.exe "* ]] || { echo "$folder holds no weldcalc.exe" >&2; exit 1; }
# The names go into NSIS strings as they are.
for name in "${files[@]}" "${folders[@]}"; do
  [[ $name =~ ^[A-Za-z0-9._+/-]+$ ]] || { echo "A name NSIS would need quoted: $name" >&2; exit 1; }
done

windows() { printf '%s' "${1//\//\\}"; }
{
  current=
  for name in "${files[@]}"; do
    sub=$(dirname "$name")
    [[ $sub == . ]] && sub= || sub="\\$(windows "$sub")"
    [[ $sub == "$current" && -n ${started:-} ]] || { echo "SetOutPath \"\$INSTDIR$sub\""; current=$sub; started=1; }
    echo "File \"$folder/$name\""
  done
} >"$lists/files.nsh"
{
  for name in "${files[@]}"; do echo "Delete \"\$INSTDIR\\$(windows "$name")\""; done
  # Deepest first; a folder that holds anything else stays.
  for name in "${folders[@]}"; do echo "RMDir \"\$INSTDIR\\$(windows "$name")\""; done
} >"$lists/uninstall-files.nsh"

size=$(cd "$folder" && find . -type f -printf '%s\n' | awk '{ sum += $1 } END { printf "%d", (sum + 1023) / 1024 }')

mkdir -p "$(dirname "$output")"
makensis -V2 -WX -INPUTCHARSET UTF8 \
  -DVERSION="$version" -DOUTPUT="$output" -DICON="$here/../../resources/weldcalc.ico" \
  -DFILES="$lists/files.nsh" -DUNINSTALL_FILES="$lists/uninstall-files.nsh" -DESTIMATED_SIZE="$size" \
  "$here/weldcalc.nsi"
echo "Written: $output ($(du -h "$output" | cut -f1), ${#files[@]} files)"
