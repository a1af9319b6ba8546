# What the engine library needs from the system, one line a dependency: its pkg-config module and the
# Debian development package that provides it. The build, the installed CMake package
# (KorvelConfig.cmake), korvel.pc and the .deb's dependencies are all made from this list. PRIVATE
# marks a library only the engine's own sources use: a program on the shared library needs nothing
# of it (korvel.pc's Requires.private). ASSETS marks what the asset core (korvel_assets, no GL and no
# SDL) needs: it is all the tools link.
set(KORVEL_PKG_MODULES "")
set(KORVEL_PKG_PRIVATE_MODULES "")
set(KORVEL_ASSET_PKG_MODULES "")
set(KORVEL_DEB_PACKAGES "")
set(KORVEL_ASSET_DEB_PACKAGES "")
macro(korvel_dependency module debian_package)
  list(APPEND KORVEL_PKG_MODULES ${module})
  set(korvel_dependency_flags ${ARGN})
  if("PRIVATE" IN_LIST korvel_dependency_flags)
    list(APPEND KORVEL_PKG_PRIVATE_MODULES ${module})
  endif()
  if("ASSETS" IN_LIST korvel_dependency_flags)
    list(APPEND KORVEL_ASSET_PKG_MODULES ${module})
    list(APPEND KORVEL_ASSET_DEB_PACKAGES ${debian_package})
  endif()
  list(APPEND KORVEL_DEB_PACKAGES ${debian_package})
endmacro()

korvel_dependency(sdl libsdl1.2-dev)
korvel_dependency(SDL_image libsdl-image1.2-dev)
korvel_dependency(SDL_mixer libsdl-mixer1.2-dev)
korvel_dependency(glew libglew-dev)
korvel_dependency(glu libglu1-mesa-dev)
korvel_dependency(gl libgl-dev)
# Pictures drawn with no display (md2viewer --screenshot on a server) come from Mesa's EGL.
korvel_dependency(egl libegl-dev PRIVATE)
# Screenshots and converted skins are written as PNG files.
korvel_dependency(libpng libpng-dev PRIVATE ASSETS)
# Models and skins are read out of game archives (.pak, .pk3, .zip) through PhysicsFS.
korvel_dependency(physfs libphysfs-dev PRIVATE ASSETS)
# The asset core decodes pictures with stb_image (a header; PCX is read by the engine's own code).
set(KORVEL_STB_DIR /usr/include/stb CACHE PATH "Folder of stb_image.h and stb_image_write.h")

if(EMSCRIPTEN)
  # In the browser the same libraries come with the toolchain: SDL 1.2 with SDL_image and SDL_mixer,
  # and OpenGL 1.x emulated over WebGL (platform/Browser.h supplies what the emulation lacks). The
  # host's pkg-config must not be asked: its flags name the machine's own libraries. Every source
  # sees platform/Browser.h first; only its own sources reach the emulation's calls directly.
  add_library(PkgConfig::KORVEL_DEPS INTERFACE IMPORTED)
  set_target_properties(PkgConfig::KORVEL_DEPS PROPERTIES
    INTERFACE_COMPILE_OPTIONS "-fexceptions;SHELL:-include ${PROJECT_SOURCE_DIR}/src/platform/Browser.h"
    INTERFACE_LINK_OPTIONS "-fexceptions;-sLEGACY_GL_EMULATION=1;-sGL_UNSAFE_OPTS=0;-sSTB_IMAGE=1;-sALLOW_MEMORY_GROWTH=1")
  # Debian's libstb-dev is header-only, so the host's copy serves the browser build as well.
  set_property(SOURCE ${PROJECT_SOURCE_DIR}/src/graphics/PngWriter_stb.cpp APPEND PROPERTY COMPILE_OPTIONS
               -isystem ${KORVEL_STB_DIR})
  set_property(SOURCE ${PROJECT_SOURCE_DIR}/src/platform/Browser.cpp
                      ${PROJECT_SOURCE_DIR}/src/platform/Browser_alpha.cpp
                      ${PROJECT_SOURCE_DIR}/src/platform/Browser_drawing.cpp
                      ${PROJECT_SOURCE_DIR}/src/platform/Browser_images.cpp
                      ${PROJECT_SOURCE_DIR}/src/platform/Browser_lights.cpp
                      ${PROJECT_SOURCE_DIR}/src/platform/Browser_programs.cpp
                      ${PROJECT_SOURCE_DIR}/src/platform/Browser_sound.cpp
               APPEND PROPERTY COMPILE_DEFINITIONS KORVEL_BROWSER_CALLS_REAL_GL)
  add_library(PkgConfig::KORVEL_ASSET_DEPS INTERFACE IMPORTED)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(KORVEL_DEPS REQUIRED IMPORTED_TARGET ${KORVEL_PKG_MODULES})
  pkg_check_modules(KORVEL_ASSET_DEPS REQUIRED IMPORTED_TARGET ${KORVEL_ASSET_PKG_MODULES})
endif()
set_property(SOURCE ${PROJECT_SOURCE_DIR}/src/textures/DecodedImage_files.cpp APPEND PROPERTY COMPILE_OPTIONS
             -isystem ${KORVEL_STB_DIR})
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
# gltf2md2 reads Draco-compressed meshes.
korvel_tool_dependency(draco libdraco-dev)
# gltf2md2 packs its skin atlas and scales skins with stb (stb_rect_pack, stb_image_resize).
korvel_tool_dependency(stb libstb-dev)
# meshoptimizer comes with a CMake package and no pkg-config module: gltf2md2 simplifies meshes over
# MD2's limits with it and reads its compressed buffers.
set(KORVEL_TOOL_CMAKE_PACKAGES "")
macro(korvel_tool_cmake_dependency package debian_package)
  list(APPEND KORVEL_TOOL_CMAKE_PACKAGES ${package})
  list(APPEND KORVEL_TOOL_DEB_PACKAGES ${debian_package})
endmacro()
korvel_tool_cmake_dependency(meshoptimizer libmeshoptimizer-dev)

# The browser build makes the viewer alone; the tools stay native.
if(KORVEL_PROGRAMS AND NOT EMSCRIPTEN)
  pkg_check_modules(KORVEL_TOOL_DEPS REQUIRED IMPORTED_TARGET ${KORVEL_TOOL_PKG_MODULES})
  foreach(package ${KORVEL_TOOL_CMAKE_PACKAGES})
    find_package(${package} CONFIG REQUIRED)
  endforeach()
endif()
