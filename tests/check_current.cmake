# Checks that the shipped files the Wine suite runs were built from the sources as they are:
# no source is newer than the .scr, and the installer is not older than the .scr.
foreach(file ${SCR} ${SETUP})
    if(NOT EXISTS ${file})
        message(FATAL_ERROR "${file} is missing: build it (cmake --build --preset win32)")
    endif()
endforeach()
file(GLOB_RECURSE sources ${SOURCE_DIR}/CMakeLists.txt ${SOURCE_DIR}/cmake/* ${SOURCE_DIR}/installer/*
     ${SOURCE_DIR}/resources/*)
foreach(dir core forms program startup clock runcontrol drawing host about windows setup)
    file(GLOB_RECURSE more ${SOURCE_DIR}/${dir}/*)
    list(APPEND sources ${more})
endforeach()
# IS_NEWER_THAN also holds for equal times: newer means only one way round.
foreach(src ${sources})
    if("${src}" IS_NEWER_THAN "${SCR}" AND NOT "${SCR}" IS_NEWER_THAN "${src}")
        message(FATAL_ERROR "${SCR} is older than ${src}: rebuild it (cmake --build --preset win32)")
    endif()
endforeach()
if(SETUP AND "${SCR}" IS_NEWER_THAN "${SETUP}" AND NOT "${SETUP}" IS_NEWER_THAN "${SCR}")
    message(FATAL_ERROR "${SETUP} is older than ${SCR}: rebuild it (cmake --build --preset win32)")
endif()
list(LENGTH sources count)
message(STATUS "${SCR} is newer than its ${count} sources")
