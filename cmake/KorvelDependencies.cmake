# What the engine library needs from the system, one line a dependency: its pkg-config module and the
# Debian development package that provides it. The build, the installed CMake package
# (KorvelConfig.cmake), korvel.pc and the .deb's dependencies are all made from this list. PRIVATE
# marks a library only the engine's own sources use: a program on the shared library needs nothing
# of it (korvel.pc's Requires.private).
set(KORVEL_PKG_MODULES "")
set(KORVEL_PKG_PRIVATE_MODULES "")
set(KORVEL_DEB_PACKAGES "")
macro(korvel_dependency module debian_package)
  list(APPEND KORVEL_PKG_MODULES ${module})
  if("${ARGN}" STREQUAL "PRIVATE")
    list(APPEND KORVEL_PKG_PRIVATE_MODULES ${module})
  endif()
  list(APPEND KORVEL_DEB_PACKAGES ${debian_package})
endmacro()

korvel_dependency(sdl libsdl1.2-dev)
korvel_dependency(SDL_image libsdl-image1.2-dev)
korvel_dependency(SDL_mixer libsdl-mixer1.2-dev)
korvel_dependency(glew libglew-dev)
korvel_dependency(glu libglu1-mesa-dev)
korvel_dependency(gl libgl-dev)
# Screenshots are written as PNG files.
korvel_dependency(libpng libpng-dev PRIVATE)

find_package(PkgConfig REQUIRED)
pkg_check_modules(KORVEL_DEPS REQUIRED IMPORTED_TARGET ${KORVEL_PKG_MODULES})
# The names the benchmark programs link by.
add_library(PkgConfig::SDL ALIAS PkgConfig::KORVEL_DEPS)
add_library(PkgConfig::GLLIBS ALIAS PkgConfig::KORVEL_DEPS)

# What the tools need beyond the engine, in the same form: md2gltf writes glTF through tinygltf, and
# its tests read the validator's JSON report. Not part of korvel.pc: the library never links them.
set(KORVEL_TOOL_PKG_MODULES "")
set(KORVEL_TOOL_DEB_PACKAGES "")
macro(korvel_tool_dependency module debian_package)
  list(APPEND KORVEL_TOOL_PKG_MODULES ${module})
  list(APPEND KORVEL_TOOL_DEB_PACKAGES ${debian_package})
endmacro()

korvel_tool_dependency(tinygltf libtinygltf-dev)
korvel_tool_dependency(nlohmann_json nlohmann-json3-dev)

if(KORVEL_PROGRAMS)
  pkg_check_modules(KORVEL_TOOL_DEPS REQUIRED IMPORTED_TARGET ${KORVEL_TOOL_PKG_MODULES})
endif()
