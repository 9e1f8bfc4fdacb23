# Where Debian's 64-bit Wine lives: wine64 and its server are not on PATH,
# and /usr/bin/wineserver picks the 32-bit server. Sourced by the scripts
# that run Windows programs.
WINE64=/usr/lib/wine/wine64
WINESERVER64=/usr/lib/wine/wineserver64
