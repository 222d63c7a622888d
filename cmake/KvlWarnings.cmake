# One place for the compiler warnings every target of ours builds with.
option(KVL_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" ON)

add_library(kvl_warnings INTERFACE)
target_compile_options(kvl_warnings INTERFACE -Wall -Wextra -Wpedantic
    $<$<BOOL:${KVL_WARNINGS_AS_ERRORS}>:-Werror>)
