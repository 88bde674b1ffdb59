# Adds each listed sub-folder that has a CMakeLists.txt of its own. A developer may leave
# folders out of a private build with -DSTEAM_SKIP_DIRS="src/ui;tests/ui".
macro(add_existing_subdirectories)
  foreach(dir ${ARGN})
    file(RELATIVE_PATH _rel ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt AND NOT _rel IN_LIST STEAM_SKIP_DIRS)
      add_subdirectory(${dir})
    endif()
  endforeach()
endmacro()
