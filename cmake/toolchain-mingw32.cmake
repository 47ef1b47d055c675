# Cross build for 32-bit Windows with MinGW-w64 (i686).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(TOOLCHAIN_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The posix thread model gives the C++ library its mutexes (GoogleTest needs them);
# the shipped programs use the win32 model (toolchain-mingw32-win32.cmake).
# The header says Windows 4.0 for both the system and the subsystem: the
# Windows 95, NT 3.51 and NT 4.0 loaders accept it, and Windows 95 and NT 4.0
# give version-4 programs their new dialog look (3.10 would get the old one).
# Everything a diskette program needs is linked in: no MinGW DLLs at run time.
set(SETUP_PE_VERSIONS "-Wl,--major-os-version,4,--minor-os-version,0")
string(APPEND SETUP_PE_VERSIONS " -Wl,--major-subsystem-version,4,--minor-subsystem-version,0")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ ${SETUP_PE_VERSIONS}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ ${SETUP_PE_VERSIONS}")
# Release programs carry no symbols: the setup program has to fit on a diskette.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

