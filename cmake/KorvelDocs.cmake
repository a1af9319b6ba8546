# The reference made with Doxygen from the public headers as they are installed (the staged copies in
# include/korvel), with class and include diagrams from Graphviz: the target korvel_docs writes
# html/ into the build folder and fails on any Doxygen warning. KorvelInstall.cmake installs it as
# component doc (the korvel-doc package).
find_package(Doxygen REQUIRED COMPONENTS dot)
set(KORVEL_DOCS_OUTPUT ${PROJECT_BINARY_DIR})
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${PROJECT_BINARY_DIR}/Doxyfile @ONLY)
list(TRANSFORM KORVEL_PUBLIC_HEADERS PREPEND ${PROJECT_SOURCE_DIR}/src/ OUTPUT_VARIABLE documented_headers)
list(FILTER documented_headers EXCLUDE REGEX "/base/Version\\.h$")
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/html/index.html
                   COMMAND ${CMAKE_COMMAND} -E remove_directory ${PROJECT_BINARY_DIR}/html
                   COMMAND Doxygen::doxygen ${PROJECT_BINARY_DIR}/Doxyfile
                   DEPENDS ${PROJECT_BINARY_DIR}/include/staged.stamp ${documented_headers}
                           ${PROJECT_BINARY_DIR}/Doxyfile ${PROJECT_SOURCE_DIR}/docs/reference.md
                   COMMENT "Making the reference in html/" VERBATIM)
add_custom_target(korvel_docs ALL DEPENDS ${PROJECT_BINARY_DIR}/html/index.html)
