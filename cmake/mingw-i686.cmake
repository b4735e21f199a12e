# SPDX-License-Identifier: MIT
# Cross compilation for 32-bit Windows with Debian's mingw-w64 i686 toolchain.
# The -posix compilers are used because GoogleTest needs std::mutex; the plug-in
# itself uses Win32 threads and locks, and links everything but system DLLs
# statically.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(TRANSLIT_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${TRANSLIT_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRANSLIT_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TRANSLIT_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TRANSLIT_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests built here run under wine through CTest.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
