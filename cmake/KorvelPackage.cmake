# The Debian packages, one per install component (scripts/package builds them and checks them with
# lintian): libkorvel0, libkorvel-dev, korvel-tools (the model tools, on the asset core alone: no
# graphics library), korvel-viewer, korvel-data and, when the reference is made (KORVEL_DOCS), korvel-doc. Their dependencies on Debian's
# packages come from the one list in KorvelDependencies.cmake and from the programs' own libraries
# (dpkg-shlibdeps); their copyright file is made from LICENSE and the font's notice, their changelog
# is cmake/debian/changelog.
set(KORVEL_MAINTAINER "Korvel Engine developers <korvel-engine@example.org>"
    CACHE STRING "The packages' maintainer, with an address")
set(version ${PROJECT_VERSION})
set(libs_package libkorvel${PROJECT_VERSION_MAJOR})

# A field's text in a Debian control or copyright file: every line indented by one space, an empty
# line written " .".
function(korvel_deb_field text out)
  string(REGEX REPLACE "^\n+|\n+$" "" text "${text}")
  string(REPLACE "\n" "\n " text "${text}")
  string(REGEX REPLACE "\n \n" "\n .\n" text "${text}")
  string(REGEX REPLACE "\n \n" "\n .\n" text "${text}")
  set(${out} " ${text}" PARENT_SCOPE)
endfunction()

# A licence file's paragraphs, split at blank lines: the first `skip` are left out, the next is the
# copyright statement, the rest the licence's own text.
function(korvel_read_notice file skip copyright license)
  file(READ ${file} text)
  set(rest "${text}")
  foreach(i RANGE ${skip})
    string(FIND "${rest}" "\n\n" cut)
    string(SUBSTRING "${rest}" 0 ${cut} head)
    math(EXPR cut "${cut} + 2")
    string(SUBSTRING "${rest}" ${cut} -1 rest)
  endforeach()
  korvel_deb_field("${head}" head)
  korvel_deb_field("${rest}" rest)
  set(${copyright} "${head}" PARENT_SCOPE)
  set(${license} "${rest}" PARENT_SCOPE)
endfunction()

set(font_notice ${PROJECT_SOURCE_DIR}/runtime/Data/Font/LICENSE)
set(changelog ${CMAKE_CURRENT_LIST_DIR}/debian/changelog)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/LICENSE ${font_notice} ${changelog})
korvel_read_notice(${PROJECT_SOURCE_DIR}/LICENSE 0 engine_copyright engine_license)
korvel_read_notice(${font_notice} 1 font_copyright font_license)
string(REGEX REPLACE "^ Copyright \\([cC]\\) " " " engine_copyright "${engine_copyright}")
file(WRITE ${PROJECT_BINARY_DIR}/debian/copyright
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
     "Upstream-Name: Korvel Engine\n"
     "Upstream-Contact: ${KORVEL_MAINTAINER}\n\n"
     "Files: *\n"
     "Copyright:${engine_copyright}\n"
     "License: Zlib\n\n"
     "Files: runtime/Data/Font/font.tga runtime/Data/Logo/kvxlogo.png\n"
     "Copyright:${font_copyright}\n"
     "License: bitstream-vera\n"
     "Comment: The bitmap font is rendered by assetgen from DejaVu Sans Mono, the logo's\n"
     " letters from DejaVu Sans Bold; the notice also travels with the data, in\n"
     " /${KORVEL_INSTALL_DATADIR}/Data/Font/LICENSE.\n\n"
     "License: Zlib\n${engine_license}\n\n"
     "License: bitstream-vera\n${font_license}\n")

# The changelog's latest entry must be this version: a new version needs a new entry.
file(STRINGS ${changelog} first_line LIMIT_COUNT 1)
if(NOT first_line MATCHES "^korvel \\(${version}\\) ")
  message(FATAL_ERROR "${changelog} starts with \"${first_line}\": add an entry for version ${version}")
endif()
# It is signed by the packages' maintainer, the one their control files name.
file(STRINGS ${changelog} signatures REGEX "^ -- ")
list(GET signatures 0 signature)
string(FIND "${signature}" " -- ${KORVEL_MAINTAINER}  " signed_at)
if(NOT signed_at EQUAL 0)
  message(FATAL_ERROR "${changelog}'s latest entry is signed \"${signature}\": sign it as the packages' "
                      "maintainer, ${KORVEL_MAINTAINER}")
endif()
execute_process(COMMAND gzip -9n INPUT_FILE ${changelog} OUTPUT_FILE ${PROJECT_BINARY_DIR}/debian/changelog.gz
                RESULT_VARIABLE gzip_result)
if(NOT gzip_result EQUAL 0)
  message(FATAL_ERROR "gzip could not compress ${changelog}")
endif()

set(components libs dev tools viewer data)
set(packages ${libs_package} libkorvel-dev korvel-tools korvel-viewer korvel-data)
if(KORVEL_DOCS)
  list(APPEND components doc)
  list(APPEND packages korvel-doc)
  # The reference registered with doc-base, for the documentation browsers.
  if(KORVEL_DEB_LAYOUT)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/korvel-reference.doc-base DESTINATION
            ${CMAKE_INSTALL_DATAROOTDIR}/doc-base RENAME korvel-doc.korvel-reference COMPONENT doc)
  endif()
endif()
if(KORVEL_DEB_LAYOUT)
  foreach(component package IN ZIP_LISTS components packages)
    install(FILES ${PROJECT_BINARY_DIR}/debian/copyright ${PROJECT_BINARY_DIR}/debian/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
  endforeach()
endif()

set(engine_text "The Korvel Engine is a small C++ engine for real-time 3D programs on SDL 1.2
and OpenGL: animated MD2 models, TGA, BMP and PNG images, bitmap fonts, GLSL
shaders, cameras, a GUI of windows, buttons and check boxes, sound effects and
music.")
get_property(programs GLOBAL PROPERTY KORVEL_PROGRAMS_tools)
list(JOIN programs ", " program_list)

set(CPACK_PACKAGE_NAME korvel)
set(CPACK_PACKAGE_VENDOR "the Korvel Engine developers")
set(CPACK_PACKAGE_VERSION ${version})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${components})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KORVEL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The programs' and the library's own libraries; our library, not installed yet, is named by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR})
# The shlibs file of the package holding the shared library, for the programs built on it.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")

set(CPACK_DEBIAN_LIBS_PACKAGE_NAME ${libs_package})
set(CPACK_DEBIAN_LIBS_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_LIBS_PACKAGE_DEPENDS "korvel-data (= ${version})")
set(CPACK_DEBIAN_LIBS_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/debian/triggers)
set(CPACK_DEBIAN_LIBS_DESCRIPTION "small real-time 3D engine on SDL 1.2 and OpenGL - library
${engine_text}

This package holds the shared library.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libkorvel-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
list(JOIN KORVEL_DEB_PACKAGES ", " dev_depends)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "${libs_package} (= ${version}), ${dev_depends}, pkgconf | pkg-config")
set(CPACK_DEBIAN_DEV_DESCRIPTION "small real-time 3D engine on SDL 1.2 and OpenGL - development files
${engine_text}

This package holds what a program needs to be built on the engine: the
headers, the static library, the CMake package (find_package(Korvel)) and
korvel.pc for pkg-config, and example programs to copy.")

set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME korvel-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION graphics)
# The tools link the asset core statically; their other libraries come from dpkg-shlibdeps.
set(CPACK_DEBIAN_TOOLS_DESCRIPTION "tools for MD2 models, on the Korvel Engine's asset core
md2info prints what the engine's loader reads from a model file (or from
every model in a game archive); md2gltf converts a model with every animation
to glTF 2.0, and gltf2md2 bakes a glTF model (morphed or skinned) back into
MD2. They need no display and no graphics library.
Programs: ${program_list}.")

set(CPACK_DEBIAN_VIEWER_PACKAGE_NAME korvel-viewer)
set(CPACK_DEBIAN_VIEWER_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_VIEWER_PACKAGE_DEPENDS "${libs_package} (= ${version}), korvel-data (= ${version})")
set(CPACK_DEBIAN_VIEWER_DESCRIPTION "viewer for animated MD2 models, on the Korvel Engine
md2viewer shows an animated MD2 model in a window, chooses its animations,
turns and zooms it, browses the models of a game archive or folder, and saves
screenshots and contact sheets.")

set(CPACK_DEBIAN_DATA_PACKAGE_NAME korvel-data)
set(CPACK_DEBIAN_DATA_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_DATA_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_DATA_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_DATA_DESCRIPTION "run-time data of the Korvel Engine
${engine_text}

This package holds the files the engine reads at run time: the bitmap font,
the GLSL shaders, a sample model with its skin, and the logo, mouse pointer
and GUI images.")
set(CPACK_DEBIAN_DOC_PACKAGE_NAME korvel-doc)
set(CPACK_DEBIAN_DOC_PACKAGE_SECTION doc)
set(CPACK_DEBIAN_DOC_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_DOC_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_DOC_DESCRIPTION "reference of the Korvel Engine's API
${engine_text}

This package holds the reference of the engine's headers in HTML, made
with Doxygen, with class and include diagrams.")
include(CPack)
