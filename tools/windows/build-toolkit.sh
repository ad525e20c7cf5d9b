#!/usr/bin/env bash
# Builds, once, the Windows libraries the program links against: Qt 6 (Core, Gui, Widgets, Test
# and the windows and offscreen platform plugins) from Debian's own qt6-base source, and libjpeg
# from Debian's libjpeg-turbo source. Both go into a cache outside the tree and are reused while
# their stamp holds this script's configuration, so only the first run pays for them.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/toolkit.sh"
source "$here/../install-packages.sh"
toolchain=$here/mingw64.cmake
jobs=${WELD_JOBS:-$(nproc)}

# Only what the program uses. Debian's repacked source has no wintab, so no tablet events;
# the system libraries are those bundled with Qt, never the host's through pkg-config.
qt_options=(
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF
  -DFEATURE_pkg_config=OFF -DFEATURE_zstd=OFF
  -DFEATURE_tabletevent=OFF
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_direct2d=OFF
)
stamp=$windows_prefix/.complete
configuration="qt $qt_source_version libjpeg $libjpeg_source_version ${qt_options[*]}"
[[ -f $stamp && $(<"$stamp") == "$configuration" ]] && exit 0
rm -rf "$windows_prefix"
mkdir -p "$weld_cache/src" "$windows_prefix"
cd "$weld_cache/src"

# A toolkit rebuilt after a change of options compiles mostly from ccache; Qt's precompiled
# headers are cacheable only with these relaxations.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
launchers=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# Debian's source packages of the same versions as the host tools.
if [[ ! -d qtbase || ! -d libjpeg-turbo ]]; then
  if ! quietly apt-get source --download-only "qt6-base=$qt_source_version" libjpeg-turbo; then
    echo "Cannot download the Debian source packages; is a deb-src entry configured?" >&2
    exit 1
  fi
  rm -rf qtbase libjpeg-turbo
  quietly dpkg-source -x --no-check "qt6-base_$qt_source_version.dsc" qtbase
  quietly dpkg-source -x --no-check "libjpeg-turbo_$libjpeg_source_version"-*.dsc libjpeg-turbo
fi

# patch_source <file> <line as Qt has it> <line as needed>: replaces each such whole line, once;
# fails when the file holds neither, so that a changed Qt source is never built unpatched.
patch_source() {
  local file=qtbase/$1
  grep -qxF -- "$3" "$file" && return 0
  if ! grep -qxF -- "$2" "$file"; then
    echo "Qt's source has changed: '$2' is not in $file; the patch needs a new look." >&2
    exit 1
  fi
  ORIGINAL=$2 PATCHED=$3 awk '$0 == ENVIRON["ORIGINAL"] { $0 = ENVIRON["PATCHED"] } 1' "$file" >"$file.patched"
  mv "$file.patched" "$file"
}
# Qt 6.4 leaves dynamic OpenGL on when OpenGL is off, and DirectWrite 3 on when Direct2D is off;
# the windows platform plugin then asks for classes that were not built.
patch_source src/plugins/platforms/windows/qwindowswindow.cpp \
  '#if QT_CONFIG(dynamicgl)' '#if QT_CONFIG(opengl) && QT_CONFIG(dynamicgl)'
patch_source src/plugins/platforms/windows/qwindowsintegration.cpp \
  '#if QT_CONFIG(directwrite3)' '#if QT_CONFIG(directwrite3) && QT_CONFIG(direct2d)'

echo "== libjpeg for Windows"
quietly cmake -S libjpeg-turbo -B build-libjpeg -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release "${launchers[@]}" \
  -DCMAKE_INSTALL_PREFIX="$windows_prefix" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF \
  -DCMAKE_POSITION_INDEPENDENT_CODE=ON
quietly cmake --build build-libjpeg -j "$jobs"
quietly cmake --install build-libjpeg

echo "== Qt ${qt_source_version%%+*} for Windows (about 1,000 build steps; this takes a while once)"
quietly cmake -S qtbase -B build-qtbase -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release "${launchers[@]}" \
  -DCMAKE_INSTALL_PREFIX="$windows_prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  "${qt_options[@]}"
cmake --build build-qtbase -j "$jobs"
quietly cmake --install build-qtbase
# Qt's catalogs are not part of qtbase; the host's are those of the same version.
mkdir -p "$windows_prefix/translations"
cp /usr/share/qt6/translations/qtbase_ru.qm "$windows_prefix/translations/"

echo "$configuration" >"$stamp"
