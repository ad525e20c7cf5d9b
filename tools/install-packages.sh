# Sourced by the set-up scripts.
# install_missing_packages <package>... installs, as root, those Debian packages that are not
# installed yet, and fails with their names for anyone else.
# quietly <command>... runs a long, chatty step and shows what it printed only when it fails.
quietly() {
  local log status=0
  log=$(mktemp)
  "$@" >"$log" 2>&1 || status=$?
  if ((status)); then
    cat "$log" >&2
    echo "Failed (status $status): $*" >&2
  fi
  rm -f "$log"
  return "$status"
}

install_missing_packages() {
  local package status missing=()
  for package in "$@"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
  done
  ((${#missing[@]})) || return 0
  echo "Installing: ${missing[*]}"
  if [[ $(id -u) -ne 0 ]]; then
    echo "These Debian packages are missing; run as root or install them: ${missing[*]}" >&2
    return 1
  fi
  quietly apt-get update -qq
  DEBIAN_FRONTEND=noninteractive quietly apt-get install -y -qq "${missing[@]}"
}
