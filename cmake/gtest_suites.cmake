# One ctest test per GoogleTest test suite of a program, each suite's cases in one process:
#   zelvane_gtest_suites(TARGET [TIMEOUT seconds] [PROPERTIES name value ...])
# Under Wine a process start costs more than most cases take (about 0.6 s under emulation).
# Each suite still starts in a fresh process, so no suite sees program-wide state that
# another left behind; a case that needs a process of its own goes in a suite of its own. The
# test is named "Suite.*", after the filter it runs, and a failure's output ends with
# GoogleTest's list of the failed cases. ctest reads the suites from the program
# (`--gtest_list_tests`) whenever it is newer than the last reading, so new suites and cases
# are picked up by themselves; at test time, not at build time, so that builds start no Wine
# session beside a running suite. Included by ctest with TEST_EXECUTABLE set, this file is
# that reading step.

if(DEFINED TEST_EXECUTABLE)
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
    unset(TEST_EXECUTABLE)
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
    string(CONCAT content
         "if(NOT EXISTS [==[$<TARGET_FILE:${target}>]==])\n"
         "    add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)\n"
         "    return()\n"
         "endif()\n"
         "if(NOT EXISTS [==[${ctest_file}]==] OR NOT [==[${ctest_file}]==] IS_NEWER_THAN [==[$<TARGET_FILE:${target}>]==])\n"
         "    set(TEST_EXECUTABLE [==[$<TARGET_FILE:${target}>]==])\n"
         "    set(TEST_EXECUTOR [==[${emulator}]==])\n"
         "    set(TEST_WORKING_DIR [==[${CMAKE_CURRENT_BINARY_DIR}]==])\n"
         "    set(TEST_TIMEOUT ${arg_TIMEOUT})\n"
         "    set(TEST_PROPERTIES [=====[${properties}]=====])\n"
         "    set(DISCOVERY_TIMEOUT ${arg_DISCOVERY_TIMEOUT})\n"
         "    set(CTEST_FILE [==[${ctest_file}]==])\n"
         "    include([==[${ZELVANE_GTEST_SUITES_SCRIPT}]==])\n"
         "endif()\n"
         "include([==[${ctest_file}]==])\n")
    file(GENERATE OUTPUT ${include_file} CONTENT "${content}")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()
