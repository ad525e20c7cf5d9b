# Sourced by the scripts that build: lets clones in different folders share ccache's results, as
# CI builds a fresh clone each time. Paths inside the clone are hashed relative to it; the working
# folder is left out of the hash, so debug information names the folder that compiled it first.
CCACHE_BASEDIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export CCACHE_BASEDIR CCACHE_NOHASHDIR=1
