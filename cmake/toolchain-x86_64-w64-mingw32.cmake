# 64-bit Windows: the twin of the deliverable that runs under wine64 for
# testing, built the same way.
set(QUOVANT_MINGW_TRIPLE x86_64-w64-mingw32)
set(QUOVANT_MINGW_THREADS posix)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
