# The packages `cpack` makes from the release build (cmake --preset release):
# - on Linux a .deb of the system layout and a portable .tar.gz;
# - on Windows a portable ZIP.
# The portable archives hold one folder with both programs, README and LICENSE (the install
# component "portable"), to unpack beside the generator's Gridforge.INI.
set(KVL_MAINTAINER "The KVLEdit authors <authors@kvledit.org>")

set(CPACK_PACKAGE_NAME kvledit)
set(CPACK_PACKAGE_VENDOR "The KVLEdit authors")
set(CPACK_PACKAGE_CONTACT "${KVL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor of the prefab definitions of Gridforge")
set(CPACK_PACKAGE_DESCRIPTION
    "KVLEdit writes the .KVL definition files that the random map generator
Gridforge needs for every prefab .map file of a collection for Quake, Quake II
and Hexen II: the prefab's identifier, map file name, size in cells and the
exits of each sub cell. kvltool writes, shows and checks definitions from the
command line and measures a prefab's map.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# cpack reads this file once per generator; it chooses the install components each one holds.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/KvlCPackComponents.cmake)
file(WRITE ${CPACK_PROJECT_CONFIG_FILE} "
if(CPACK_GENERATOR STREQUAL \"DEB\")
    set(CPACK_INSTALL_CMAKE_PROJECTS \"${PROJECT_BINARY_DIR};KVLEdit;Unspecified;/;${PROJECT_BINARY_DIR};KVLEdit;deb;/\")
else()
    set(CPACK_INSTALL_CMAKE_PROJECTS \"${PROJECT_BINARY_DIR};KVLEdit;portable;/\")
endif()
")

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME kvledit-${PROJECT_VERSION}-windows)
else()
    set(CPACK_GENERATOR DEB TGZ)
    string(TOLOWER "${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}" system)
    set(CPACK_PACKAGE_FILE_NAME kvledit-${PROJECT_VERSION}-${system})

    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KVL_MAINTAINER}")
    set(CPACK_DEBIAN_PACKAGE_SECTION devel)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # Qt loads its platform plugin at run time, so shlibdeps cannot see it.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

    # Debian wants the licence in its machine-readable form and a compressed changelog in the
    # package's documentation folder.
    execute_process(COMMAND date -u -R -d "${KVL_RELEASE_DATE} 00:00"
        OUTPUT_VARIABLE KVL_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(debian ${PROJECT_BINARY_DIR}/debian)
    configure_file(cmake/debian/copyright.in ${debian}/copyright @ONLY)
    configure_file(cmake/debian/changelog.in ${debian}/changelog @ONLY)
    execute_process(COMMAND gzip --no-name --best --stdout ${debian}/changelog
        OUTPUT_FILE ${debian}/changelog.gz)
    install(FILES ${debian}/copyright ${debian}/changelog.gz
        DESTINATION ${KVL_DOC_DIR} COMPONENT deb EXCLUDE_FROM_ALL)
endif()

include(CPack)
