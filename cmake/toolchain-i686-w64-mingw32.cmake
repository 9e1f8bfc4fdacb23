# 32-bit Windows, the deliverable. The posix thread model, as for the x86_64
# twin, so that both are built alike (GoogleTest and Google Benchmark need
# its std::thread and std::mutex); winpthread is linked statically.
set(QUOVANT_MINGW_TRIPLE i686-w64-mingw32)
set(QUOVANT_MINGW_THREADS posix)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
