# korvel_man_page(target component): the program's manual page, section 1, written after each build of the
# program from its own --help (cmake/help-to-man.awk), so the page and the help cannot drift, and
# installed with the program, in its component. A cross build cannot run the program, and a sanitized one is for tests
# only: neither has pages.
function(korvel_man_page target component)
  if(CMAKE_CROSSCOMPILING OR KORVEL_SANITIZE)
    return()
  endif()
  set(page ${PROJECT_BINARY_DIR}/man/${target}.1.gz)
  add_custom_command(OUTPUT ${page}
                     COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DNAME=${target}
                             -DVERSION=${PROJECT_VERSION} -DSCRIPT=${PROJECT_SOURCE_DIR}/cmake/help-to-man.awk
                             -DOUTPUT=${page} -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
                     DEPENDS ${target} ${PROJECT_SOURCE_DIR}/cmake/help-to-man.awk
                             ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
                     COMMENT "Writing the manual page of ${target}" VERBATIM)
  add_custom_target(${target}_man ALL DEPENDS ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
endfunction()
