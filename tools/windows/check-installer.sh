#!/usr/bin/env bash
# Tries the per-user installer as a user would, under a new, empty Wine prefix and a virtual X
# server, and prints each step: a silent install into the default folder, the Start-menu shortcut
# and the program it starts, a second install over the first, a silent uninstall that leaves the
# user's own file alone, and the same into a folder with Cyrillic letters and spaces. After each
# uninstall the prefix's files and registry are compared with those before the install.
# Usage: check-installer.sh <setup.exe> <package folder it was built from>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [[ ${1:-} != --steps ]]; then
  setup=$(realpath "$1")
  folder=$(cd "$2" && pwd)
  scratch=$(mktemp -d)
  trap 'WINEPREFIX=$scratch/wine wineserver -k 2>/dev/null || true; rm -rf "$scratch"' EXIT
  "$here/../with-x-server.sh" "$0" --steps "$setup" "$folder" "$scratch"
  exit
fi

setup=$2
folder=$3
scratch=$4
inspect() { python3 "$here/inspect-prefix.py" "$@"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

export WINEPREFIX=$scratch/wine HOME=$scratch/home WINEDEBUG=-all
# A Russian Windows: ANSI code page 1251. Wine resolves a shortcut by the ANSI path it holds, which
# in another code page cannot name a Cyrillic folder.
export LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8
# No Mono or Gecko installers; and no menu entries written into the Linux desktop for the shortcut.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINEPATH QT_QPA_PLATFORM QT_PLUGIN_PATH
mkdir -p "$HOME"
wineboot --init >/dev/null 2>&1
wineserver --wait

windows_variable() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
unix_path() { winepath -u "$1" 2>/dev/null; }
default_folder="$(windows_variable LOCALAPPDATA)\\Programs\\weldcalc"
shortcut_name="$(windows_variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Сварной шов.lnk"
shortcut=$(unix_path "$shortcut_name")
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\weldcalc'
# The user's own folder for programs, where the second installation goes.
cyrillic_parent='C:\Программы отдела'
mkdir -p "$(unix_path "$cyrillic_parent")"
wineserver --wait
inspect snapshot "$WINEPREFIX" "$scratch/before"

main_window_shown() { xwininfo -root -tree 2>/dev/null | grep -q '"Расчет сварного шва"'; }

# install <folder>: a silent install, into the default folder or, when another is given, with /D=,
# then what it must have written, and only that.
install() {
  local target=$1 unix
  if [[ $target == "$default_folder" ]]; then
    wine "$setup" /S || fail "the installer ended with status $?"
  else
    # /D= takes the rest of the command line unquoted, spaces and all, as a user types it into
    # the command prompt; wine itself would quote it.
    wine cmd /c "$(winepath -w "$setup") /S /D=$target" || fail "the installer ended with status $?"
  fi
  wineserver --wait
  unix=$(unix_path "$target")
  diff <(cd "$folder" && { find . -type f -printf '%P\n'; echo uninstall.exe; } | LC_ALL=C sort) \
       <(cd "$unix" && find . -type f ! -name "$user_file" -printf '%P\n' | LC_ALL=C sort) \
    || fail "the installed files differ from the package's"
  (cd "$folder" && find . -type f -exec cmp -s {} "$unix/{}" \; -o -type f -printf 'differs: %P\n') | grep . \
    && fail "installed files differ from the package's"
  echo "files: $(find "$unix" -type f ! -name "$user_file" | wc -l), the package's $(find "$folder" -type f | wc -l) and uninstall.exe, byte for byte"
  inspect values "$WINEPREFIX" "$key" | sed 's/^/registry: /'
  diff <(inspect values "$WINEPREFIX" "$key" | grep -v '^EstimatedSize=dword:') - <<VALUES || fail "the uninstall entry is not as it should be"
DisplayIcon=$target\\weldcalc.exe,0
DisplayName=Сварной шов
DisplayVersion=3.1
NoModify=dword:00000001
NoRepair=dword:00000001
Publisher=Тарвелин И.П.
UninstallString="$target\\uninstall.exe"
VALUES
  [[ -f $shortcut ]] || fail "no shortcut $shortcut_name"
  mapfile -t link < <(inspect shortcut "$shortcut")
  echo "shortcut: $shortcut_name -> ${link[0]}, icon ${link[1]}"
  [[ ${link[0],,} == "${target,,}\\weldcalc.exe" && -f $(unix_path "${link[0]}") ]] \
    || fail "the shortcut's target is not the installed program"
  [[ ${link[1],,} == "${target,,}\\weldcalc.exe"* ]] || fail "the shortcut's icon is not the program's"
}

# start: the shortcut as the Start menu opens it; the main window must appear. Closed again as the
# user closes it.
start() {
  wine start /unix "$shortcut" >/dev/null 2>&1 &
  for _ in $(seq 1 120); do
    main_window_shown && break
    sleep 0.5
  done
  main_window_shown || fail "the shortcut did not show the main window within 60 s"
  echo "shown: $(xwininfo -root -tree | grep -m1 '"Расчет сварного шва"' | sed 's/^ *//')"
  wine taskkill /im weldcalc.exe >/dev/null 2>&1 || true
  for _ in $(seq 1 60); do
    main_window_shown || break
    sleep 0.5
  done
  main_window_shown && fail "the program did not close"
  wineserver --wait
  echo "closed"
}

uninstall() {
  local target=$1 unix
  unix=$(unix_path "$target")
  wine "$target\\uninstall.exe" /S || fail "the uninstaller ended with status $?"
  wineserver --wait
  [[ ! -e $shortcut ]] || fail "the shortcut is still there"
  [[ -z $(inspect values "$WINEPREFIX" "$key") ]] || fail "the uninstall entry is still there"
  grep -qF "[${key//\\/\\\\}]" "$WINEPREFIX/user.reg" && fail "the key $key is still there"
  if [[ -n $user_file ]]; then
    [[ $(ls -A "$unix") == "$user_file" && $(<"$unix/$user_file") == "$user_text" ]] \
      || fail "the folder should hold the user's file alone, unchanged: $(ls -A "$unix" | tr '\n' ' ')"
    echo "left alone: the user's $user_file, the only file in $target"
    # The user takes the report away; the rest is the installer's business.
    rm "$unix/$user_file"
    rmdir "$unix"
  else
    [[ ! -e $unix ]] || fail "$target is still there: $(ls -A "$unix" | tr '\n' ' ')"
    echo "removed: $target"
  fi
  # The uninstaller runs as a copy in the temporary folder, which the system deletes at its next
  # start.
  wineboot -r >/dev/null 2>&1
  wineserver --wait
  inspect snapshot "$WINEPREFIX" "$scratch/after"
  inspect compare "$scratch/before" "$scratch/after" || fail "the uninstall left the prefix changed"
  echo "leftovers: none (files and registry as before the install, after a restart)"
}

user_file=
echo "== silent install into the default folder $default_folder"
install "$default_folder"
echo "== the Start-menu shortcut starts the program"
start
echo "== a second install over the first, with a report the user saved in the program's folder"
user_file='Отчет по узлу К-3.txt'
user_text='Расчет сварного шва'
printf '%s' "$user_text" >"$(unix_path "$default_folder")/$user_file"
install "$default_folder"
echo "== silent uninstall"
uninstall "$default_folder"

user_file=
cyrillic_folder="$cyrillic_parent\\Сварной шов 3.1"
echo "== silent install into $cyrillic_folder"
install "$cyrillic_folder"
echo "== the Start-menu shortcut starts the program from there"
start
echo "== silent uninstall"
uninstall "$cyrillic_folder"
