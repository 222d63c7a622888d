# kvl_add_man_page(TARGET DESCRIPTION): section 1 manual page of a program, made by help2man
# from its own --help and --version, so that the page lists exactly the options it takes.
find_program(KVL_HELP2MAN help2man)

function(kvl_add_man_page target description)
    if(CMAKE_CROSSCOMPILING OR NOT KVL_HELP2MAN)
        message(STATUS "No manual page for ${target}: help2man cannot run the program here")
        return()
    endif()
    set(page ${CMAKE_CURRENT_BINARY_DIR}/${target}.1)
    set(include ${PROJECT_SOURCE_DIR}/docs/man/files.h2m)
    add_custom_command(OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -DHELP2MAN=${KVL_HELP2MAN} -DPROGRAM=$<TARGET_FILE:${target}>
                -DDESCRIPTION=${description} -DINCLUDE=${include} -DPAGE=${page}
                -P ${PROJECT_SOURCE_DIR}/cmake/KvlManPageRun.cmake
        DEPENDS ${target} ${include} ${PROJECT_SOURCE_DIR}/cmake/KvlManPageRun.cmake
        COMMENT "Manual page ${target}.1"
        VERBATIM)
    add_custom_target(${target}_man ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
