# Cross build for 32-bit Windows with mingw-w64. 32-bit programs cannot run
# on the build machines: this build is compiled and linked only.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PEXA_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
