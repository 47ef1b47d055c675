# The shipped binaries, built from these sources as a tree of their own inside
# the Windows build (shipped/): the win32 thread model, no tests. The
# end-to-end tests, the demo and the import check use these binaries:
#   SETUP_SHIPPED_DIR       the directory that holds all of them
#   SHIPPED_SETUP_EXE       SETUP.EXE in it
#   SETUP_SHIPPED_MANIFEST  a file naming each one's path, a line each
# A target that needs them up to date depends on the target `shipped`.
include(ExternalProject)
include(${CMAKE_CURRENT_LIST_DIR}/ShippedBinaries.cmake)

set(SETUP_SHIPPED_TREE ${CMAKE_BINARY_DIR}/shipped)
set(SETUP_SHIPPED_DIR ${SETUP_SHIPPED_TREE}/bin)
set(SETUP_SHIPPED_MANIFEST ${SETUP_SHIPPED_TREE}/shipped.txt)
set(SHIPPED_SETUP_EXE ${SETUP_SHIPPED_DIR}/SETUP.EXE)

set(shipped_args
  -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-mingw32-win32.cmake
  -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
  -DSETUP_SHIPPED_ONLY=ON)
foreach(lang C CXX)
  if(CMAKE_${lang}_COMPILER_LAUNCHER)
    list(APPEND shipped_args -DCMAKE_${lang}_COMPILER_LAUNCHER=${CMAKE_${lang}_COMPILER_LAUNCHER})
  endif()
endforeach()

# Built on every build of this tree: the nested build finds out itself what is
# out of date, and costs a second when nothing is. Under make it is a recursive
# make, which shares the outer build's job slots.
if(CMAKE_GENERATOR MATCHES "Makefiles")
  set(shipped_build $(MAKE) ${SETUP_SHIPPED_TARGETS})
else()
  set(shipped_build ${CMAKE_COMMAND} --build <BINARY_DIR> --target ${SETUP_SHIPPED_TARGETS})
endif()
ExternalProject_Add(shipped
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${SETUP_SHIPPED_TREE}
  CMAKE_ARGS ${shipped_args}
  BUILD_COMMAND ${shipped_build}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${SHIPPED_SETUP_EXE} ${SETUP_SHIPPED_MANIFEST})
