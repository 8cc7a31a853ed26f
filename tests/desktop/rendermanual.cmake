# Renders a manual page as man does for a reader and fails on any warning from the formatter.
set(ENV{MANWIDTH} 80)
set(ENV{LC_ALL} C.UTF-8)
execute_process(COMMAND "${MAN}" --warnings -l "${PAGE}"
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE warnings)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "" OR output STREQUAL "")
    message(FATAL_ERROR "man -l ${PAGE}: status ${status}\n${warnings}")
endif()
