# The shipped tree builds for the 486 (-march=i486): Windows 95 and NT 3.51 ran
# on it, and Debian's MinGW and its prebuilt libraries default to the Pentium
# Pro, whose conditional moves a 486 or Pentium stops at. Included before the
# targets are defined; setup_i486_binaries() after.
#
# scripts/i486-runtime builds zlib, libsupc++ and the needed parts of libstdc++
# and the unwinder from Debian's sources, once per compiler, outside the tree.
execute_process(
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/i486-runtime ${CMAKE_CXX_COMPILER}
  OUTPUT_VARIABLE SETUP_I486_RUNTIME OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE runtime_result)
if(NOT runtime_result EQUAL 0)
  message(FATAL_ERROR "scripts/i486-runtime failed")
endif()
message(STATUS "486 runtime: ${SETUP_I486_RUNTIME}")
# A changed recipe is a runtime in another directory: configure again.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/scripts/i486-runtime)

# All code of this tree for the 486; the assembler keeps to it too (i486+387:
# the 486DX's floating-point unit), its padding between functions included.
add_compile_options(-march=i486 -mtune=generic -Wa,-march=i486+387)
set(ZLIB_INCLUDE_DIR ${SETUP_I486_RUNTIME}/include CACHE PATH "" FORCE)
set(ZLIB_LIBRARY_RELEASE ${SETUP_I486_RUNTIME}/lib/libz.a CACHE FILEPATH "" FORCE)
set(ZLIB_LIBRARY ${SETUP_I486_RUNTIME}/lib/libz.a CACHE FILEPATH "" FORCE)
# The diskette binaries are linked with their symbols, for the 486 check to
# name functions and to tell code from the tables the linker puts after it;
# they are stripped once linked (setup_diskette_binary).
set(CMAKE_EXE_LINKER_FLAGS_RELEASE "")

# Called where a diskette binary is defined: once linked, it is kept with its
# symbols in symbols/ and stripped in place.
function(setup_diskette_binary target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/symbols
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}>
            ${CMAKE_BINARY_DIR}/symbols/$<TARGET_FILE_NAME:${target}>
    COMMAND ${CMAKE_STRIP} --strip-all $<TARGET_FILE:${target}>)
endfunction()

function(setup_i486_binaries)
  set(startfiles ${CMAKE_BINARY_DIR}/startfiles)
  add_custom_command(OUTPUT ${startfiles}/crt2.o
    COMMAND ${CMAKE_COMMAND} -E make_directory ${startfiles}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_OBJECTS:exe_startup> ${startfiles}/crt2.o
    DEPENDS exe_startup $<TARGET_OBJECTS:exe_startup>)
  add_custom_target(i486_startfiles DEPENDS ${startfiles}/crt2.o)
  # Run on every build: it rebuilds the runtime should the cache have gone.
  add_custom_target(i486_runtime
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/i486-runtime ${CMAKE_CXX_COMPILER} > ${CMAKE_BINARY_DIR}/i486-runtime.txt)

  set(manifest "")
  # The others keep the compiler's runtime and stay stripped at link time.
  foreach(target ${SETUP_SHIPPED_TARGETS})
    if(NOT target IN_LIST SETUP_DISKETTE_TARGETS)
      target_link_options(${target} PRIVATE -s)
    endif()
  endforeach()
  foreach(target ${SETUP_DISKETTE_TARGETS})
    # Our libstdc++.a and libgcc_eh.a come before the compiler's.
    target_link_options(${target} PRIVATE -L${SETUP_I486_RUNTIME}/lib)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS
                 ${SETUP_I486_RUNTIME}/lib/libstdc++.a ${SETUP_I486_RUNTIME}/lib/libgcc_eh.a)
    target_link_libraries(${target} PRIVATE startup486)
    add_dependencies(${target} i486_runtime)
    get_target_property(options ${target} LINK_OPTIONS)
    if(options)
      list(REMOVE_ITEM options -s)
      set_target_properties(${target} PROPERTIES LINK_OPTIONS "${options}")
    endif()
    string(APPEND manifest "${CMAKE_BINARY_DIR}/symbols/$<TARGET_FILE_NAME:${target}>\n")
  endforeach()
  # The programs take our crt2.o: -B puts its directory ahead of MinGW's.
  foreach(target ${SETUP_DISKETTE_PROGRAMS})
    add_dependencies(${target} i486_startfiles)
    target_link_options(${target} PRIVATE -B${startfiles}/)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${startfiles}/crt2.o)
  endforeach()
  # diskette.txt: the symbol-keeping twins of the diskette binaries, a line each.
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/diskette.txt CONTENT "${manifest}")
endfunction()
