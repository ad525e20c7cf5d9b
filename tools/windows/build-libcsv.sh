#!/usr/bin/env bash
# Builds, once, the Windows libcsv that weldcheck.exe links statically, from Debian's own libcsv
# source, into the toolkit prefix. Its stamp is its own: a change here never rebuilds Qt, and a
# rebuilt Qt (which empties the prefix) takes this stamp with it, so libcsv follows.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/toolkit.sh"
stamp=$windows_prefix/.libcsv-complete
configuration="libcsv $libcsv_source_version static"
[[ -f $stamp && $(<"$stamp") == "$configuration" ]] && exit 0

echo "== libcsv for Windows"
mkdir -p "$weld_cache/src" "$windows_prefix/include" "$windows_prefix/lib"
cd "$weld_cache/src"
if [[ ! -d libcsv ]]; then
  apt-get source --download-only "libcsv=$libcsv_source_version" >/dev/null
  dpkg-source -x --no-check "libcsv_$libcsv_source_version.dsc" libcsv >/dev/null
fi
rm -rf build-libcsv
mkdir build-libcsv
# One C file and its header: the library's own autotools would only add a libtool wrapper.
x86_64-w64-mingw32-gcc-posix -O2 -c libcsv/libcsv.c -I libcsv -o build-libcsv/libcsv.o
x86_64-w64-mingw32-gcc-ar-posix rcs build-libcsv/libcsv.a build-libcsv/libcsv.o
cp libcsv/csv.h "$windows_prefix/include/"
cp build-libcsv/libcsv.a "$windows_prefix/lib/"
echo "$configuration" >"$stamp"
