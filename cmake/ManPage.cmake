# Writes PROGRAM's manual page from its own --help, gzip-compressed as distributions install them.
#   cmake -DPROGRAM=bin/md2info -DNAME=md2info -DVERSION=0.02 -DSCRIPT=help-to-man.awk
#         -DOUTPUT=man/md2info.1.gz -P ManPage.cmake
# -n keeps the name and time out of the gzip header, so the same help gives the same bytes.
get_filename_component(folder "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
execute_process(COMMAND "${PROGRAM}" --help
                COMMAND awk -v "name=${NAME}" -v "version=${VERSION}" -v "summary=a program of the Korvel Engine"
                        -f "${SCRIPT}"
                COMMAND gzip -9n
                OUTPUT_FILE "${OUTPUT}.tmp"
                RESULTS_VARIABLE results)
foreach(result ${results})
  if(NOT result EQUAL 0)
    file(REMOVE "${OUTPUT}.tmp")
    message(FATAL_ERROR "${NAME} --help, turned into a manual page, failed: ${results}")
  endif()
endforeach()
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
