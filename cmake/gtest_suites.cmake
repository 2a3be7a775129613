# One ctest test per GoogleTest test suite of a program, each suite's cases in one process:
#   zelvane_gtest_suites(TARGET [TIMEOUT seconds] [PROPERTIES name value ...])
# Under Wine a process start costs more than most cases take (about 0.6 s under emulation),
# and a suite's cases share its fixture, whose SetUp and TearDown put back what they touch;
# each suite still starts in a fresh process, so no suite sees what another left behind. The
# test is named "Suite.*", after the filter it runs, and a failure's output ends with
# GoogleTest's list of the failed cases. The suites are read from the built program after
# each build (`--gtest_list_tests`), so new suites and cases are picked up by themselves.
# Run with -P, this file is that reading step.

if(CMAKE_SCRIPT_MODE_FILE)
    execute_process(COMMAND ${TEST_EXECUTOR} "${TEST_EXECUTABLE}" --gtest_list_tests
                    WORKING_DIRECTORY "${TEST_WORKING_DIR}"
                    OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE status
                    TIMEOUT ${DISCOVERY_TIMEOUT})
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${TEST_EXECUTABLE} --gtest_list_tests failed (${status}):\n${listing}\n${errors}")
    endif()
    string(REPLACE "\r" "" listing "${listing}")
    string(REPLACE ";" "\\;" listing "${listing}")
    string(REPLACE "\n" ";" lines "${listing}")
    set(script "")
    set(suites 0)
    foreach(line IN LISTS lines)
        # Suite lines start in the first column and end with a dot (before any "# TypeParam"
        # comment); their cases are indented below them.
        if(line MATCHES "^([A-Za-z0-9_/]+)\\.( .*)?$")
            set(filter "${CMAKE_MATCH_1}.*")
            string(APPEND script
                   "add_test([==[${filter}]==] ${TEST_EXECUTOR} [==[${TEST_EXECUTABLE}]==] [==[--gtest_filter=${filter}]==])\n"
                   "set_tests_properties([==[${filter}]==] PROPERTIES WORKING_DIRECTORY [==[${TEST_WORKING_DIR}]==]"
                   " SKIP_REGULAR_EXPRESSION [==[\\[  SKIPPED \\]]==] TIMEOUT ${TEST_TIMEOUT} ${TEST_PROPERTIES})\n")
            math(EXPR suites "${suites} + 1")
        endif()
    endforeach()
    if(suites EQUAL 0)
        message(FATAL_ERROR "${TEST_EXECUTABLE} lists no test suite:\n${listing}")
    endif()
    file(WRITE "${CTEST_FILE}" "${script}")
    return()
endif()

set(ZELVANE_GTEST_SUITES_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(zelvane_gtest_suites target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "TIMEOUT;DISCOVERY_TIMEOUT" "PROPERTIES")
    if(NOT arg_TIMEOUT)
        set(arg_TIMEOUT 300)
    endif()
    if(NOT arg_DISCOVERY_TIMEOUT)
        set(arg_DISCOVERY_TIMEOUT 120)
    endif()
    set(properties "")
    foreach(item IN LISTS arg_PROPERTIES)
        string(APPEND properties " [==[${item}]==]")
    endforeach()
    set(ctest_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake)
    set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites_include.cmake)
    get_property(emulator TARGET ${target} PROPERTY CROSSCOMPILING_EMULATOR)
    add_custom_command(TARGET ${target} POST_BUILD
        BYPRODUCTS ${ctest_file}
        COMMAND ${CMAKE_COMMAND} -D "TEST_EXECUTABLE=$<TARGET_FILE:${target}>" -D "TEST_EXECUTOR=${emulator}"
                -D "TEST_WORKING_DIR=${CMAKE_CURRENT_BINARY_DIR}" -D "TEST_TIMEOUT=${arg_TIMEOUT}"
                -D "TEST_PROPERTIES=${properties}" -D "DISCOVERY_TIMEOUT=${arg_DISCOVERY_TIMEOUT}"
                -D "CTEST_FILE=${ctest_file}" -P ${ZELVANE_GTEST_SUITES_SCRIPT}
        VERBATIM)
    file(WRITE ${include_file}
         "if(EXISTS [==[${ctest_file}]==])\n  include([==[${ctest_file}]==])\n"
         "else()\n  add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)\nendif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()
