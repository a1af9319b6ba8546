# The install layout (GNU install directories, nothing at the top of the prefix): the library, its
# public headers under include/korvel/<subsystem>/, the CMake package Korvel::korvel, korvel.pc, the
# programs, and their data in share/korvel/. The same rules make the Debian package (cpack -G DEB).
include(CMakePackageConfigHelpers)

set(KORVEL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Korvel)

install(TARGETS korvel EXPORT KorvelTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(header ${KORVEL_PUBLIC_HEADERS})
  get_filename_component(subsystem ${header} DIRECTORY)
  install(FILES ${KORVEL_STAGE_DIR}/${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/korvel/${subsystem})
endforeach()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/runtime/Data ${PROJECT_SOURCE_DIR}/runtime/shaders
        DESTINATION ${KORVEL_INSTALL_DATADIR} PATTERN .gitkeep EXCLUDE)
# The out-of-tree game and the one-file hello.cpp, so someone with only the package has a program
# to copy and build against it.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/consumer
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/korvel/examples)

install(EXPORT KorvelTargets NAMESPACE Korvel:: DESTINATION ${KORVEL_CMAKE_DIR})
list(JOIN KORVEL_PKG_MODULES " " KORVEL_PKG_MODULES_LIST)
list(JOIN KORVEL_DEB_PACKAGES " " KORVEL_DEB_PACKAGES_LIST)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/KorvelConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/KorvelConfig.cmake
                              INSTALL_DESTINATION ${KORVEL_CMAKE_DIR}
                              PATH_VARS KORVEL_INSTALL_DATADIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KorvelConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KorvelConfig.cmake ${PROJECT_BINARY_DIR}/KorvelConfigVersion.cmake
        DESTINATION ${KORVEL_CMAKE_DIR})

# korvel.pc finds its prefix from its own folder, so a moved prefix keeps working.
file(RELATIVE_PATH KORVEL_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" KORVEL_PC_TO_PREFIX "${KORVEL_PC_TO_PREFIX}")
list(JOIN KORVEL_PKG_MODULES ", " KORVEL_PKG_MODULES_PC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/korvel.pc.in ${PROJECT_BINARY_DIR}/korvel.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/korvel.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

if(KORVEL_TOP_LEVEL)
  set(CPACK_PACKAGE_NAME korvel)
  set(CPACK_PACKAGE_VENDOR "Korvel Engine")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Korvel Engine: a small real-time 3D engine on SDL 1.2 and OpenGL")
  set(CPACK_PACKAGE_DESCRIPTION
      "The engine library with its headers, CMake package and pkg-config file, the MD2 viewer md2viewer, md2info, md2gltf, the examples, and their data.")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Korvel Engine developers")
  set(CPACK_DEBIAN_PACKAGE_SECTION devel)
  # The programs' own libraries come from dpkg-shlibdeps; the development packages let a program
  # be built on the installed headers.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  list(JOIN KORVEL_DEB_PACKAGES ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", pkgconf | pkg-config")
  include(CPack)
endif()
