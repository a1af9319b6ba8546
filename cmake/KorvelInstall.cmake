# The install layout (GNU install directories, nothing at the top of the prefix): the engine and its
# asset core, their public headers under include/korvel/<subsystem>/, the CMake package
# (Korvel::korvel, Korvel::korvel_assets), korvel.pc and korvel-assets.pc, the programs with their manual pages, and their data in share/korvel/. Every rule names its component,
# one per Debian package (cmake/KorvelPackage.cmake):
#   libs  the shared library                    tools  the programs and their manual pages
#   dev   headers, static library, CMake        data   share/korvel: Data/ and shaders/
#         package, korvel.pc, example sources   doc    the reference in HTML (KORVEL_DOCS)
include(CMakePackageConfigHelpers)

# KORVEL_DEB_LAYOUT: the layout of a distribution's packages (scripts/package turns it on, with the
# prefix /usr): a documentation folder per package, and korvel.pc with the prefix written out. Without
# it the installation can be moved anywhere after the fact.
option(KORVEL_DEB_LAYOUT "Lay out the installation as the split Debian packages" OFF)
if(KORVEL_DEB_LAYOUT)
  set(KORVEL_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/libkorvel-dev)
else()
  set(KORVEL_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/korvel)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${KORVEL_INSTALL_DOCDIR} COMPONENT dev)
endif()
set(KORVEL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Korvel)

install(TARGETS korvel_assets EXPORT KorvelTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)
install(TARGETS korvel EXPORT KorvelTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT libs NAMELINK_COMPONENT dev
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT libs)
if(TARGET korvel_static)
  install(TARGETS korvel_static EXPORT KorvelTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)
endif()
foreach(header ${KORVEL_PUBLIC_HEADERS})
  get_filename_component(subsystem ${header} DIRECTORY)
  install(FILES ${KORVEL_STAGE_DIR}/${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/korvel/${subsystem}
          COMPONENT dev)
endforeach()
install(FILES ${KORVEL_STAGE_DIR}/base/Version.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/korvel/base COMPONENT dev)
# The font's licence notice (Data/Font/LICENSE) travels inside Data/ with the font.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/runtime/Data ${PROJECT_SOURCE_DIR}/runtime/shaders
        DESTINATION ${KORVEL_INSTALL_DATADIR} COMPONENT data PATTERN .gitkeep EXCLUDE)
# The examples as sources to read and copy, not as commands: the module examples and the out-of-tree
# game with the one-file hello.cpp, built on the installation, and the in-tree GUI and sound examples.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${KORVEL_INSTALL_DOCDIR}/examples COMPONENT dev)

if(KORVEL_DOCS)
  if(KORVEL_DEB_LAYOUT)
    set(reference_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/korvel-doc)
  else()
    set(reference_dir ${KORVEL_INSTALL_DOCDIR})
  endif()
  install(DIRECTORY ${PROJECT_BINARY_DIR}/html DESTINATION ${reference_dir} COMPONENT doc)
endif()

install(EXPORT KorvelTargets NAMESPACE Korvel:: DESTINATION ${KORVEL_CMAKE_DIR} COMPONENT dev)
list(JOIN KORVEL_PKG_MODULES " " KORVEL_PKG_MODULES_LIST)
list(JOIN KORVEL_ASSET_PKG_MODULES " " KORVEL_ASSET_PKG_MODULES_LIST)
list(JOIN KORVEL_ASSET_DEB_PACKAGES " " KORVEL_ASSET_DEB_PACKAGES_LIST)
list(JOIN KORVEL_DEB_PACKAGES " " KORVEL_DEB_PACKAGES_LIST)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/KorvelConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/KorvelConfig.cmake
                              INSTALL_DESTINATION ${KORVEL_CMAKE_DIR}
                              PATH_VARS KORVEL_INSTALL_DATADIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KorvelConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KorvelConfig.cmake ${PROJECT_BINARY_DIR}/KorvelConfigVersion.cmake
        DESTINATION ${KORVEL_CMAKE_DIR} COMPONENT dev)

# korvel.pc: in a package the prefix is written out, so the paths come out clean and pkg-config can
# recognise and drop the system's own folders; otherwise it finds its prefix from its own folder, so
# a moved prefix keeps working (pkg-config escapes that folder's spaces). A static library needs its
# private dependencies on the link line, a shared one keeps them to itself.
if(KORVEL_DEB_LAYOUT)
  set(KORVEL_PC_PREFIX ${CMAKE_INSTALL_PREFIX})
else()
  file(RELATIVE_PATH KORVEL_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
  string(REGEX REPLACE "/$" "" KORVEL_PC_TO_PREFIX "${KORVEL_PC_TO_PREFIX}")
  set(KORVEL_PC_PREFIX "\${pcfiledir}/${KORVEL_PC_TO_PREFIX}")
endif()
# The shared engine holds the asset core within it and keeps its dependencies to itself, so korvel.pc
# stands alone; a static engine needs the asset core's static library after its own on the link line
# (Libs.private, which only pkg-config --static reads, for the static library beside a shared one).
set(public_modules ${KORVEL_PKG_MODULES})
set(private_modules "")
set(KORVEL_PC_LIBS "")
set(KORVEL_PC_LIBS_PRIVATE "-lkorvel_assets")
if(BUILD_SHARED_LIBS)
  list(REMOVE_ITEM public_modules ${KORVEL_PKG_PRIVATE_MODULES})
  set(private_modules ${KORVEL_PKG_PRIVATE_MODULES})
else()
  set(KORVEL_PC_LIBS " -lkorvel_assets")
  set(KORVEL_PC_LIBS_PRIVATE "")
endif()
list(JOIN public_modules ", " KORVEL_PC_REQUIRES)
list(JOIN private_modules ", " KORVEL_PC_REQUIRES_PRIVATE)
list(JOIN KORVEL_ASSET_PKG_MODULES ", " KORVEL_ASSET_PC_REQUIRES)
configure_file(${CMAKE_CURRENT_LIST_DIR}/korvel.pc.in ${PROJECT_BINARY_DIR}/korvel.pc @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/korvel-assets.pc.in ${PROJECT_BINARY_DIR}/korvel-assets.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/korvel.pc ${PROJECT_BINARY_DIR}/korvel-assets.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

if(KORVEL_TOP_LEVEL)
  include(${CMAKE_CURRENT_LIST_DIR}/KorvelPackage.cmake)
endif()
