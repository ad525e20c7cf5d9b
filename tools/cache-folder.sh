# Sourced: the one folder outside the tree where the set-up scripts keep what is slow to make
# (the Windows toolkit, its Wine prefix, the clean Debian root). WELDCALC_CACHE moves it.
weld_cache=${WELDCALC_CACHE:-$HOME/.cache/weldcalc}
