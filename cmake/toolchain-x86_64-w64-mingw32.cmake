# 64-bit Windows: the twin that runs under wine64 for testing. It uses the
# posix thread model, whose std::mutex GoogleTest needs on Windows; the
# project's own code uses no threads, and winpthread is linked statically.
set(QUOVANT_MINGW_TRIPLE x86_64-w64-mingw32)
set(QUOVANT_MINGW_THREADS posix)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
