# Cross-builds the Windows program on Debian with the MinGW-w64 compilers that use POSIX threads
# (std::thread and std::mutex need them), linked statically so that netedit.exe needs no DLL
# beside Windows' own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(NETEDIT_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${NETEDIT_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NETEDIT_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${NETEDIT_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NETEDIT_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Programs built here run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
