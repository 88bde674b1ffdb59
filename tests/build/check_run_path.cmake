# Fails when a program's RUNPATH or RPATH has an empty entry (a leading, trailing or doubled
# ':', or an empty path): the loader reads such an entry as the current folder, so a library
# placed there would be loaded and run.
find_program(READELF readelf REQUIRED)
foreach(program IN LISTS PROGRAMS)
    execute_process(COMMAND ${READELF} -d ${program} OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "readelf cannot read ${program}")
    endif()
    string(REGEX MATCHALL "\\((RUNPATH|RPATH)\\)[^\n]*\\[[^]\n]*\\]" paths "${dynamic}")
    foreach(entry IN LISTS paths)
        string(REGEX REPLACE ".*\\[([^]]*)\\].*" "\\1" path "${entry}")
        if(path STREQUAL "" OR path MATCHES "^:|:$|::")
            message(FATAL_ERROR "${program} has an empty search-path entry: [${path}]")
        endif()
    endforeach()
    message(STATUS "${program}: ${paths}")
endforeach()
