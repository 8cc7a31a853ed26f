# The options that PROGRAM --help lists and those that its manual page's 选项 section describes must agree.
execute_process(COMMAND "${PROGRAM}" --help
    RESULT_VARIABLE status OUTPUT_VARIABLE help ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help: status ${status}\n${errors}")
endif()

file(READ "${PAGE}" page)
string(REPLACE "\\-" "-" page "${page}")
string(REGEX REPLACE "\\\\f[BIRP]" "" page "${page}")
string(REGEX MATCH "\n\\.SH 选项\n.*" options_section "${page}")
string(REGEX REPLACE "\n\\.SH [^\n]*\n.*" "" options_section "${options_section}")
string(REGEX REPLACE "^\n\\.SH 选项\n" "" options_section "${options_section}")
if(options_section STREQUAL "")
    message(FATAL_ERROR "${PAGE} has no 选项 section")
endif()

# An option is a dash or two and a name, after a space, a comma, a bracket or a line start.
function(options_in text result)
    string(REGEX MATCHALL "(^|[\n \t,\\[|\"])--?[A-Za-z0-9][A-Za-z0-9-]*" found "${text}")
    set(options)
    foreach(match IN LISTS found)
        string(REGEX REPLACE "^[^-]+" "" match "${match}")
        list(APPEND options ${match})
    endforeach()
    list(REMOVE_DUPLICATES options)
    list(SORT options)
    set(${result} ${options} PARENT_SCOPE)
endfunction()

options_in("${help}" help_options)
options_in("${options_section}" manual_options)

if(NOT help_options OR NOT manual_options)
    message(FATAL_ERROR "no options found: --help has '${help_options}', the manual page '${manual_options}'")
endif()
set(only_in_help ${help_options})
list(REMOVE_ITEM only_in_help ${manual_options})
set(only_in_manual ${manual_options})
list(REMOVE_ITEM only_in_manual ${help_options})
if(only_in_help OR only_in_manual)
    message(FATAL_ERROR "--help and the manual page disagree\n"
        "  only in --help: ${only_in_help}\n  only in the manual page: ${only_in_manual}")
endif()
