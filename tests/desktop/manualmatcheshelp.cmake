# The options that PROGRAM --help lists and those that its manual page describes must be the same.
execute_process(COMMAND "${PROGRAM}" --help
    RESULT_VARIABLE status OUTPUT_VARIABLE help ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help: status ${status}\n${errors}")
endif()

# The options named in `text`: a dash or two and a name, at the start or after a space, comma or quote.
function(options_in text result)
    string(REGEX MATCHALL "(^|[ ,\"])--?[A-Za-z0-9][A-Za-z0-9-]*" found "${text}")
    set(options ${${result}})
    foreach(match IN LISTS found)
        string(REGEX REPLACE "^[^-]+" "" match "${match}")
        list(APPEND options ${match})
    endforeach()
    set(${result} ${options} PARENT_SCOPE)
endfunction()

# Lines as a CMake list; brackets and semicolons, which would upset the list, matter to no option.
function(lines_of text result)
    string(REGEX REPLACE "[][;]" "_" text "${text}")
    string(REPLACE "\n" ";" text "${text}")
    set(${result} "${text}" PARENT_SCOPE)
endfunction()

# --help: the option column of each line that starts, indented, with a dash.
set(help_options)
lines_of("${help}" help_lines)
foreach(line IN LISTS help_lines)
    if(line MATCHES "^ +-")
        string(STRIP "${line}" line)
        string(REGEX REPLACE "  .*" "" line "${line}")
        options_in("${line}" help_options)
    endif()
endforeach()

# The manual page: the tag of each tagged paragraph (.TP), with the roff escapes taken out.
set(manual_options)
file(READ "${PAGE}" page)
lines_of("${page}" page_lines)
set(tag_follows FALSE)
foreach(line IN LISTS page_lines)
    if(tag_follows)
        string(REPLACE "\\-" "-" line "${line}")
        string(REGEX REPLACE "\\\\f[BIRP]" "" line "${line}")
        options_in("${line}" manual_options)
    endif()
    string(COMPARE EQUAL "${line}" ".TP" tag_follows)
endforeach()

list(REMOVE_DUPLICATES help_options)
list(REMOVE_DUPLICATES manual_options)
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
