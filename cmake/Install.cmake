# What a Linux desktop looks for besides the programs and the data folder: the
# menu entry, the icon, the AppStream record and the manual pages.

set(Q31_SCREENSHOT_URL "https://q31.invalid/screenshots" CACHE STRING
    "Where the pictures of scripts/run are published (main.png, keyboard.png, ...), for the AppStream record")

set(Q31_METAINFO "${PROJECT_BINARY_DIR}/io.github.q31.q31.metainfo.xml")
configure_file("${PROJECT_SOURCE_DIR}/data/desktop/io.github.q31.q31.metainfo.xml.in" "${Q31_METAINFO}" @ONLY)
install(FILES "${PROJECT_SOURCE_DIR}/data/desktop/q31.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${PROJECT_SOURCE_DIR}/data/desktop/q31.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES "${Q31_METAINFO}" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

find_program(Q31_GZIP gzip REQUIRED)

# q31_install_man_page(TARGET SUMMARY): section 1 page of the program TARGET,
# made from its --help at build time, compressed as Debian wants it.
function(q31_install_man_page target summary)
  set(page "${CMAKE_CURRENT_BINARY_DIR}/${target}.1")
  add_custom_command(OUTPUT "${page}.gz"
    COMMAND "${CMAKE_COMMAND}" "-DPROGRAM=$<TARGET_FILE:${target}>" "-DNAME=${target}" "-DSUMMARY=${summary}"
            "-DVERSION=${PROJECT_VERSION}" "-DOUTPUT=${page}" -P "${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake"
    COMMAND "${Q31_GZIP}" -9nf "${page}"
    DEPENDS ${target} "${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake"
    COMMENT "Manual page of ${target}"
    VERBATIM)
  add_custom_target(${target}_man_page ALL DEPENDS "${page}.gz")
  install(FILES "${page}.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endfunction()
