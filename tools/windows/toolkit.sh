# Sourced: where the Windows toolkit lives and what it is made of, for every script that builds,
# runs or packages the Windows program.
source "$(dirname "${BASH_SOURCE[0]}")/../cache-folder.sh"
windows_prefix=$weld_cache/windows-x86_64
qt_source_version=6.4.2+dfsg-10
libjpeg_source_version=2.1.5
libcsv_source_version=3.0.3+dfsg-6
# The MinGW-w64 C++ runtime (POSIX threads) that the programs load, and the MinGW system libraries.
mingw_runtime_folders=(/usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)
