# Checks that the shipped files the Wine suite runs were built from the sources as they are:
# no source of the .scr is newer than it, and no source of the installer newer than that.
cmake_minimum_required(VERSION 3.20)  # globs do not follow symbolic links
foreach(file ${SCR} ${SETUP})
    if(NOT EXISTS ${file})
        message(FATAL_ERROR "${file} is missing: build it (cmake --build --preset win32)")
    endif()
endforeach()

# True when `src` is newer than `built`; IS_NEWER_THAN alone also holds for equal times.
function(require_newer built)
    foreach(src ${ARGN})
        if("${src}" IS_NEWER_THAN "${built}" AND NOT "${built}" IS_NEWER_THAN "${src}")
            message(FATAL_ERROR "${built} is older than ${src}: rebuild it (cmake --build --preset win32)")
        endif()
    endforeach()
endfunction()

set(sources)
foreach(dir resources core forms program startup clock runcontrol drawing host about windows setup)
    file(GLOB_RECURSE more ${SOURCE_DIR}/${dir}/*)
    list(APPEND sources ${more})
endforeach()
require_newer(${SCR} ${sources})
if(SETUP)
    file(GLOB installer ${SOURCE_DIR}/installer/*)
    require_newer(${SETUP} ${SCR} ${installer})
endif()
list(LENGTH sources count)
message(STATUS "${SCR} is newer than its ${count} sources")
