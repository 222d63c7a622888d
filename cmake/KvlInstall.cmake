# What `cmake --install` puts where. Two layouts come from one build:
# - the system one (the default, and the .deb): programs in bin, desktop entry, icons,
#   metainfo, manual pages, completion and documents under share;
# - the portable one (component "portable", only when asked for): both programs, README and
#   LICENSE in one folder, so that it can be unpacked beside the generator's Gridforge.INI.
include(KvlManPage)

set(KVL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/kvledit)
set(KVL_PROGRAMS kvltool)
if(TARGET kvledit)
    list(PREPEND KVL_PROGRAMS kvledit)
endif()

install(TARGETS ${KVL_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES README.md LICENSE DESTINATION ${KVL_DOC_DIR})
install(FILES res/completion/kvltool.bash
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions RENAME kvltool)
kvl_add_man_page(kvltool "make, show and check Gridforge prefab definitions")

if(TARGET kvledit)
    install(FILES res/completion/kvledit.bash
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions RENAME kvledit)
    kvl_add_man_page(kvledit "editor of Gridforge prefab definitions")

    set(desktop ${PROJECT_BINARY_DIR}/generated/${KVL_APP_ID}.desktop)
    set(metainfo ${PROJECT_BINARY_DIR}/generated/${KVL_APP_ID}.metainfo.xml)
    configure_file(res/desktop/kvledit.desktop.in ${desktop} @ONLY)
    configure_file(res/desktop/kvledit.metainfo.xml.in ${metainfo} @ONLY)
    install(FILES ${desktop} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
    install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)

    set(icons ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor)
    install(FILES res/icons/kvledit.svg
        DESTINATION ${icons}/scalable/apps RENAME ${KVL_APP_ID}.svg)
    foreach(size 16 32 48 64 128 256)
        install(FILES res/icons/kvledit-${size}.png
            DESTINATION ${icons}/${size}x${size}/apps RENAME ${KVL_APP_ID}.png)
    endforeach()
endif()

install(TARGETS ${KVL_PROGRAMS} RUNTIME DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
install(FILES README.md LICENSE DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
