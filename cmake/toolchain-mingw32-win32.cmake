# The shipped programs: the same cross build with MinGW's win32 thread model.
# Its runtime calls only what Windows 95 and NT 3.51 have; the posix model's
# winpthread imports functions of Windows XP and Vista, which those loaders
# refuse. The unit tests keep the posix model (GoogleTest needs std::mutex).
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw32.cmake)
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-win32)
