# One place for the compiler warnings every target of ours builds with. Warnings are errors
# only where asked (the presets and CI), so a plain build with a newer compiler still succeeds.
option(KVL_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

add_library(kvl_warnings INTERFACE)
if(MSVC)
    target_compile_options(kvl_warnings INTERFACE /W4 /permissive-
        $<$<BOOL:${KVL_WARNINGS_AS_ERRORS}>:/WX>)
else()
    target_compile_options(kvl_warnings INTERFACE -Wall -Wextra -Wpedantic
        $<$<BOOL:${KVL_WARNINGS_AS_ERRORS}>:-Werror>)
endif()
