# The public headers as installed: include/korvel/<subsystem>/, staged in the build tree too so that
# <korvel/...> includes work the same for a project that builds the engine as a subproject. The
# source tree's own includes ("app/App.h") keep working from src/.
set(KORVEL_PUBLIC_HEADERS Korvel.h)
foreach(subsystem ${KORVEL_SUBSYSTEMS})
  file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/src/${subsystem}/*.h)
  list(APPEND KORVEL_PUBLIC_HEADERS ${headers})
endforeach()
# The loaders' private readers and file checks are internal.
list(FILTER KORVEL_PUBLIC_HEADERS EXCLUDE REGEX
     "^(base/CommandLine\\.h|models/LittleEndian\\.h|textures/TGAStream\\.h|textures/PngCheck\\.h|sound/WaveCheck\\.h)$")
set(KORVEL_STAGE_DIR ${PROJECT_BINARY_DIR}/include/korvel)
# The version, made from the project's: a header of the lowest layer, "base/Version.h", that the
# engine, its programs and tests include from the build's generated/ folder; staged and installed
# with the headers.
foreach(dir ${PROJECT_BINARY_DIR}/generated ${KORVEL_STAGE_DIR})
  configure_file(${CMAKE_CURRENT_LIST_DIR}/Version.h.in ${dir}/base/Version.h @ONLY)
endforeach()
list(TRANSFORM KORVEL_PUBLIC_HEADERS PREPEND ${KORVEL_STAGE_DIR}/ OUTPUT_VARIABLE staged_headers)
list(TRANSFORM KORVEL_PUBLIC_HEADERS PREPEND ${PROJECT_SOURCE_DIR}/src/ OUTPUT_VARIABLE source_headers)
string(REPLACE ";" "|" header_arg "${KORVEL_PUBLIC_HEADERS}")
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/include/staged.stamp
                   BYPRODUCTS ${staged_headers}
                   COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}/src -DSTAGE_DIR=${KORVEL_STAGE_DIR}
                           -DHEADERS=${header_arg} -DSTAMP=${PROJECT_BINARY_DIR}/include/staged.stamp
                           -P ${PROJECT_SOURCE_DIR}/cmake/StageHeaders.cmake
                   DEPENDS ${source_headers} ${PROJECT_SOURCE_DIR}/cmake/StageHeaders.cmake
                   COMMENT "Staging the public headers in include/korvel" VERBATIM)
add_custom_target(korvel_headers DEPENDS ${PROJECT_BINARY_DIR}/include/staged.stamp)
add_dependencies(korvel_assets korvel_headers)
target_include_directories(korvel_assets PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src>
                                         $<BUILD_INTERFACE:${PROJECT_BINARY_DIR}/generated>
                                         $<BUILD_INTERFACE:${PROJECT_BINARY_DIR}/include>
                                         $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
