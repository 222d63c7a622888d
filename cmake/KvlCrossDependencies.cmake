# Cross builds take the header-only libraries from the build machine's folders, through
# package configs of our own: Debian's add -isystem /usr/include, which hides MinGW's own C
# library headers. GoogleTest is built from Debian's sources for the target.
set(host_headers ${CMAKE_BINARY_DIR}/host-headers)
foreach(package IN ITEMS "CLI11|CLI11::CLI11|CLI" "nlohmann_json|nlohmann_json::nlohmann_json|nlohmann")
    string(REPLACE "|" ";" package "${package}")
    list(GET package 0 name)
    list(GET package 1 target)
    list(GET package 2 folder)
    file(MAKE_DIRECTORY ${host_headers}/include ${host_headers}/${name})
    file(CREATE_LINK /usr/include/${folder} ${host_headers}/include/${folder} SYMBOLIC)
    file(WRITE ${host_headers}/${name}/${name}Config.cmake
         "if(NOT TARGET ${target})\n"
         "    add_library(${target} INTERFACE IMPORTED)\n"
         "    target_include_directories(${target} SYSTEM INTERFACE ${host_headers}/include)\n"
         "endif()\n")
    file(WRITE ${host_headers}/${name}/${name}ConfigVersion.cmake
         "set(PACKAGE_VERSION 99)\nset(PACKAGE_VERSION_COMPATIBLE TRUE)\n")
    set(${name}_DIR ${host_headers}/${name} CACHE PATH "" FORCE)
endforeach()
if(BUILD_TESTING)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
