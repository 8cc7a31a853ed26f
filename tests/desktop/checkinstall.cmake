# Installs the build into a fresh prefix and checks that every file a desktop needs is there and runs.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(expected
    bin/zorvane-ico
    bin/zorvane-ico-extract
    bin/zorvane-ico-thumbnailer
    share/applications/${APP_ID}.desktop
    share/metainfo/${APP_ID}.metainfo.xml
    share/thumbnailers/zorvane-ico-thumbnailer.thumbnailer
    share/man/man1/zorvane-ico.1.gz
    share/man/man1/zorvane-ico-extract.1.gz
    share/man/man1/zorvane-ico-thumbnailer.1.gz)
foreach(size IN ITEMS 32 48 64 128 256)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()

set(missing)
foreach(file IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${file}")
        list(APPEND missing ${file})
    endif()
endforeach()
if(missing)
    list(JOIN missing "\n  " missing)
    message(FATAL_ERROR "missing from the installed tree:\n  ${missing}")
endif()

# The installed command-line programs must start from where they were put, not just from the build.
foreach(program IN ITEMS zorvane-ico-extract zorvane-ico-thumbnailer)
    execute_process(COMMAND "${PREFIX}/bin/${program}" --version
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    if(NOT status EQUAL 0 OR NOT output MATCHES "[0-9]+\\.[0-9]+\\.[0-9]+")
        message(FATAL_ERROR "installed ${program} --version: status ${status}\n${output}${errors}")
    endif()
endforeach()
