# Checks the shipped screen saver's format: PE32 for i386 (machine 014c), Windows GUI,
# imports of system DLLs only (no MinGW runtime DLL beside it) and of no function that is
# not in tests/pe_imports.txt, the functions known to exist on the oldest Windows the
# README names; none of the C library's functions that only the runtime's start-up code
# calls, which the program's own entry point leaves out (what they set up would be missing);
# no unwind tables; and a size that nothing unused inflates.
set(max_bytes 64000)
set(startup_only __getmainargs __wgetmainargs __p___argc __p___argv __p___wargv __p__acmdln __p__wcmdln
    __p__environ __p__wenviron __initenv __winitenv _initterm __set_app_type __setusermatherr _cexit _amsg_exit
    __p__fmode __p__commode)
execute_process(COMMAND ${OBJDUMP} -p -h ${SCR} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${SCR}")
endif()
if(NOT dump MATCHES "Magic[ \t]+010b")
    message(FATAL_ERROR "not PE32")
endif()
# The COFF header follows "PE\0\0" at the offset that the DOS header holds at 0x3c.
file(READ ${SCR} lfanew OFFSET 60 LIMIT 4 HEX)
string(REGEX REPLACE "^(..)(..)(..)(..)$" "\\4\\3\\2\\1" lfanew "${lfanew}")
math(EXPR machine_offset "0x${lfanew} + 4")
file(READ ${SCR} machine OFFSET ${machine_offset} LIMIT 2 HEX)
if(NOT machine STREQUAL "4c01")
    message(FATAL_ERROR "machine ${machine} (bytes at ${machine_offset}), not i386 (014c)")
endif()
if(NOT dump MATCHES "Subsystem[ \t]+00000002")
    message(FATAL_ERROR "not a Windows GUI program")
endif()
if(dump MATCHES "\\.eh_fram")
    message(FATAL_ERROR "carries unwind tables (.eh_frame): the program is built without exceptions")
endif()

file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/pe_imports.txt known REGEX "^[^#]")
string(REPLACE "\n" ";" lines "${dump}")
set(dll "")
set(count 0)
foreach(line IN LISTS lines)
    if(line MATCHES "DLL Name: ([^ \t]+)")
        string(TOLOWER "${CMAKE_MATCH_1}" dll)
    elseif(dll AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+ +([^ \t]+)")
        list(FIND startup_only "${CMAKE_MATCH_1}" startup_function)
        if(dll STREQUAL "msvcrt.dll" AND NOT startup_function EQUAL -1)
            message(FATAL_ERROR "imports ${CMAKE_MATCH_1}, which only the runtime's start-up code calls: "
                                "the program's own entry point (startup/entry.cpp) does not, so what it sets up is missing")
        endif()
        list(FIND known "${dll} ${CMAKE_MATCH_1}" found)
        if(found EQUAL -1)
            message(FATAL_ERROR "imports ${CMAKE_MATCH_1} from ${dll}, which is not in tests/pe_imports.txt: "
                                "add it there once it is known to exist on the oldest Windows the README names")
        endif()
        math(EXPR count "${count} + 1")
    elseif(line STREQUAL "")
        set(dll "")
    endif()
endforeach()
if(count EQUAL 0)
    message(FATAL_ERROR "no imported functions found in the objdump output")
endif()

file(SIZE ${SCR} bytes)
if(bytes GREATER max_bytes)
    message(FATAL_ERROR "${bytes} bytes, more than ${max_bytes}: see what takes the space with -Wl,-Map")
endif()
message(STATUS "PE32 GUI i386, ${bytes} bytes, ${count} imported functions, all on the list")
