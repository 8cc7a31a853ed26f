# Build settings shared by every target, as INTERFACE targets linked PRIVATE: nothing here is global.

add_library(zorvane_warnings INTERFACE)
target_compile_options(zorvane_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
    -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Wnull-dereference
    -Wimplicit-fallthrough)

add_library(zorvane_sanitizers INTERFACE)
if(ZORVANE_SANITIZE)
    set(_zorvane_sanitize_flags
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(zorvane_sanitizers INTERFACE ${_zorvane_sanitize_flags})
    target_link_options(zorvane_sanitizers INTERFACE ${_zorvane_sanitize_flags})
endif()

# The project's version as a header, "zorvane/version.h", for the programs' --version.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${PROJECT_BINARY_DIR}/generated/zorvane/version.h @ONLY)
add_library(zorvane_version INTERFACE)
target_include_directories(zorvane_version INTERFACE ${PROJECT_BINARY_DIR}/generated)

# Every target of the project: C++20, the warnings and, when asked for, the sanitizers.
function(zorvane_target_defaults target)
    target_compile_features(${target} PRIVATE cxx_std_20)
    set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF)
    target_link_libraries(${target} PRIVATE zorvane_warnings zorvane_sanitizers)
endfunction()
