# Where every file of the program goes when installed, and the Debian package that carries them.

set(ZORVANE_APP_ID io.github.zorvane.ZorvaneICO)
set(ZORVANE_RELEASE_DATE 2026-12-11)
set(ZORVANE_ICON_SIZES 32 48 64 128 256)

foreach(program IN ITEMS zorvane-ico zorvane-ico-extract zorvane-ico-thumbnailer)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

# Manual pages go in gzipped, as Debian's policy wants them; man reads them either way.
set(_zorvane_man_dir ${PROJECT_BINARY_DIR}/man)
set(_zorvane_man_pages)
foreach(program IN ITEMS zorvane-ico zorvane-ico-extract zorvane-ico-thumbnailer)
    if(TARGET ${program})
        configure_file(${PROJECT_SOURCE_DIR}/man/${program}.1.in ${_zorvane_man_dir}/source/${program}.1 @ONLY)
        add_custom_command(
            OUTPUT ${_zorvane_man_dir}/${program}.1.gz
            COMMAND ${CMAKE_COMMAND} -E copy ${_zorvane_man_dir}/source/${program}.1 ${_zorvane_man_dir}/${program}.1
            COMMAND gzip -9nf ${_zorvane_man_dir}/${program}.1
            DEPENDS ${_zorvane_man_dir}/source/${program}.1
            VERBATIM)
        list(APPEND _zorvane_man_pages ${_zorvane_man_dir}/${program}.1.gz)
    endif()
endforeach()
add_custom_target(zorvane_man_pages ALL DEPENDS ${_zorvane_man_pages})
install(FILES ${_zorvane_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(TARGET zorvane-ico)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/${ZORVANE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/${ZORVANE_APP_ID}.metainfo.xml.in
        ${PROJECT_BINARY_DIR}/resources/desktop/${ZORVANE_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/resources/desktop/${ZORVANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size IN LISTS ZORVANE_ICON_SIZES)
        install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${ZORVANE_APP_ID}.png)
    endforeach()
endif()

if(TARGET zorvane-ico-thumbnailer)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/zorvane-ico-thumbnailer.thumbnailer
        DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
endif()

# The Debian package: `scripts/package` builds it; dpkg-shlibdeps finds the libraries it needs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvane-ico)
set(CPACK_PACKAGE_VENDOR Zorvane)
set(CPACK_PACKAGE_CONTACT "Zorvane <zorvane@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "从 Windows 可执行文件中提取图标并保存为 ICO 文件")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/zorvane/ZorvaneICO)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Chinese texts need a font that has them, and Qt's Chinese translations for its own texts; the window needs Qt's X11 and Wayland platform plugins,
# which Qt itself only recommends.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei, qt6-qpa-plugins, qt6-translations-l10n")
# CPack indents each line of the long description and marks its empty lines as paragraph breaks.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"ZorvaneICO提取器从 Windows 可执行文件（32 位和 64 位 PE、16 位 NE）或 ICO 文件中提取图标，
连同其全部图像保存为 ICO 文件并显示出来。

本软件包还包含命令行工具 zorvane-ico-extract，
以及让文件管理器以缩略图显示可执行文件图标的 zorvane-ico-thumbnailer。

Takes the icon out of a Windows executable, saves it as an .ico file and shows it;
with a command-line companion and a file-manager thumbnailer.")
include(CPack)
