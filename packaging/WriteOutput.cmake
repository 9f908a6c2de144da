# Runs PROGRAM with ARGUMENT and writes what it prints to OUTPUT, and with
# GZIP set also to OUTPUT.gz: the manual page and the completion are made
# by the program itself from its own commands.
# The texts name the data folder from HOME: the page names it ~/Varnel, as
# every user's, rather than the folder of whoever built the program.
execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=~ ${PROGRAM} ${ARGUMENT} OUTPUT_FILE ${OUTPUT}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} ${ARGUMENT} failed: ${status}")
endif()
if(GZIP)
  file(ARCHIVE_CREATE OUTPUT ${OUTPUT}.gz PATHS ${OUTPUT} FORMAT raw COMPRESSION GZip)
endif()
