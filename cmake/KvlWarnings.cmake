# One place for the compiler warnings every target of ours builds with. Warnings are errors
# only where asked (the presets and CI), so a plain build with a newer compiler still succeeds.
option(KVL_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

add_library(kvl_warnings INTERFACE)
# By the command-line dialect, so that clang-cl takes the MSVC flags and MinGW's GCC the others
# (CMake before 3.26 names no dialect for MSVC itself).
if(CMAKE_CXX_COMPILER_ID STREQUAL "MSVC" OR CMAKE_CXX_COMPILER_FRONTEND_VARIANT STREQUAL "MSVC")
    # /permissive- holds the compiler to the standard as GCC and Clang are held; /utf-8 reads
    # the sources as UTF-8 instead of the build machine's code page.
    target_compile_options(kvl_warnings INTERFACE /W4 /permissive- /utf-8
        $<$<BOOL:${KVL_WARNINGS_AS_ERRORS}>:/WX>)
elseif(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(kvl_warnings INTERFACE -Wall -Wextra -Wpedantic
        $<$<BOOL:${KVL_WARNINGS_AS_ERRORS}>:-Werror>)
else()
    message(WARNING "No warning flags known for ${CMAKE_CXX_COMPILER_ID}; building without them")
endif()
