# 32-bit Windows, the deliverable: win32 threads, so nothing of winpthread
# is linked in.
set(QUOVANT_MINGW_TRIPLE i686-w64-mingw32)
set(QUOVANT_MINGW_THREADS win32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
