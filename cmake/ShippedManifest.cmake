# In the shipped tree: every shipped binary goes to bin/, and shipped.txt names
# each one's path, a line each, for the import check.
include(${CMAKE_CURRENT_LIST_DIR}/ShippedBinaries.cmake)
set(manifest "")
foreach(target ${SETUP_SHIPPED_TARGETS})
  if(NOT TARGET ${target})
    message(FATAL_ERROR "shipped binary ${target} is not a target of this build")
  endif()
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  string(APPEND manifest "$<TARGET_FILE:${target}>\n")
endforeach()
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/shipped.txt CONTENT "${manifest}")
