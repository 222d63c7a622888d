# Run by kvl_add_man_page at build time: help2man, then the page compressed as Debian wants it.
execute_process(
    COMMAND ${HELP2MAN} --no-info --name=${DESCRIPTION} --include=${INCLUDE} --output=${PAGE}
            ${PROGRAM}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "help2man failed on ${PROGRAM}")
endif()
# --help names the profile beside the build tree's program; the page describes the rule instead.
file(READ ${PAGE} text)
string(REGEX REPLACE "\\.PP\nProfile: [^\n]*\n" "" text "${text}")
file(WRITE ${PAGE} "${text}")
execute_process(COMMAND gzip --no-name --best --force ${PAGE} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${PAGE}")
endif()
