# Build rules shared by every folder: warnings, sanitizers, sub-folders and test targets.

# Warnings for every target of the project (applied by steam_apply_warnings at the end).
add_library(steam_warnings INTERFACE)
target_compile_options(steam_warnings INTERFACE -Wall -Wextra
    # GCC 12 reports false overlaps in std::string concatenation (GCC bug 105651).
    -Wno-restrict)
option(STEAM_WARNINGS_AS_ERRORS "Treat every compiler warning as an error" OFF)
if(STEAM_WARNINGS_AS_ERRORS)
    target_compile_options(steam_warnings INTERFACE -Werror)
endif()

# AddressSanitizer and UndefinedBehaviorSanitizer on everything built; any finding stops the
# program, so a test that triggers one fails.
option(STEAM_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(STEAM_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# Adds the listed sub-folders. A folder without a CMakeLists.txt is an error. A developer may
# leave folders out of a private build with -DSTEAM_SKIP_DIRS="src/ui;tests/ui".
function(steam_add_subdirectories)
    foreach(dir ${ARGN})
        file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
        if(rel IN_LIST STEAM_SKIP_DIRS)
            continue()
        endif()
        if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
            message(FATAL_ERROR "Source folder ${rel} (or its CMakeLists.txt) is missing")
        endif()
        add_subdirectory(${dir})
    endforeach()
endfunction()

# A test executable of one layer:
#   steam_add_test(NAME name LABEL layer SOURCES ... LIBS ... [MAIN gtest|offscreen|none]
#                  [DEPENDS target ...])
# Google Test executables are discovered test by test when the tests run (no display needed
# to build). MAIN gtest (the default) links gtest's own main; offscreen adds the main that
# starts an offscreen QGuiApplication; none leaves the main to the sources. Tests carry the
# layer's label, so `ctest -L` picks layers.
function(steam_add_test)
    cmake_parse_arguments(T "" "NAME;LABEL;MAIN" "SOURCES;LIBS;DEPENDS" ${ARGN})
    if(NOT T_MAIN)
        set(T_MAIN gtest)
    endif()
    set(sources ${T_SOURCES})
    if(T_MAIN STREQUAL "offscreen")
        list(APPEND sources ${CMAKE_SOURCE_DIR}/tests/support/offscreen_main.cpp)
    endif()
    add_executable(${T_NAME} ${sources})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest)
    if(T_MAIN STREQUAL "gtest")
        target_link_libraries(${T_NAME} PRIVATE GTest::gtest_main)
    elseif(T_MAIN STREQUAL "offscreen")
        target_link_libraries(${T_NAME} PRIVATE Qt6::Gui)
    endif()
    foreach(dependency ${T_DEPENDS})
        if(TARGET ${dependency})
            add_dependencies(${T_NAME} ${dependency})
        endif()
    endforeach()
    gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS ${T_LABEL})
endfunction()

# Links steam_warnings into every library and executable defined in this folder and below.
function(steam_apply_warnings dir)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
        get_target_property(type ${target} TYPE)
        if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
            target_link_libraries(${target} PRIVATE steam_warnings)
        endif()
    endforeach()
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdir ${subdirs})
        steam_apply_warnings(${subdir})
    endforeach()
endfunction()
