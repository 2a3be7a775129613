# Builds the shipped files a second time, clean, in another folder, and checks that they
# are the same bytes as this build's: nothing of the time or the place of a build gets in.
set(second ${BINARY_DIR}/reproduced)
file(REMOVE_RECURSE ${second})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${second} -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}
                        -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
                OUTPUT_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "configuring the second build in ${second} failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${second} OUTPUT_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the second build in ${second} failed")
endif()
foreach(name ${SCR_NAME} ${SETUP_NAME})
    file(SHA256 ${BINARY_DIR}/${name} first_hash)
    file(SHA256 ${second}/${name} second_hash)
    if(NOT first_hash STREQUAL second_hash)
        message(FATAL_ERROR "${name} differs between ${BINARY_DIR} and ${second}: cmp -l shows where")
    endif()
    message(STATUS "${name}: the same bytes in both builds (SHA-256 ${first_hash})")
endforeach()
file(REMOVE_RECURSE ${second})
