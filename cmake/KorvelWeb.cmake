# md2viewer as a web page: the program as md2viewer.js and .wasm, its data (runtime/Data and the
# shaders, as made by the native assetgen) packed in md2viewer.data, and the page around them, all in
# KORVEL_WEB_DIR. The page is our own: it shows the log under the canvas and takes the user's files.
set(KORVEL_WEB_DIR ${PROJECT_BINARY_DIR}/web CACHE PATH "Folder the web page is written to")

# Writes target's program into KORVEL_WEB_DIR beside its page, web/<page>.
function(korvel_web_page target page)
  set_target_properties(${target} PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${KORVEL_WEB_DIR})
  add_custom_command(OUTPUT ${KORVEL_WEB_DIR}/${page}
                     COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/web/${page} ${KORVEL_WEB_DIR}/${page}
                     DEPENDS ${PROJECT_SOURCE_DIR}/web/${page} VERBATIM)
  add_custom_target(${target}_page DEPENDS ${KORVEL_WEB_DIR}/${page})
  add_dependencies(${target} ${target}_page)
endfunction()

korvel_web_page(md2viewer md2viewer.html)
target_link_options(md2viewer PRIVATE
  "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/runtime/Data@/Data"
  "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/runtime/shaders@/shaders"
  -sFORCE_FILESYSTEM=1 -sEXPORTED_RUNTIME_METHODS=FS,ccall -sEXIT_RUNTIME=0
  # The page opens the user's models through md2viewer_open and lists the keys md2viewer_keys gives;
  # the emulated SDL_image decodes every
  # image with stb_image (the user's files are not preloaded) and calls it by these names.
  -sEXPORTED_FUNCTIONS=_main,_md2viewer_open,_md2viewer_browse,_md2viewer_keys,_malloc,_free,_stbi_load,_stbi_load_from_memory,_stbi_image_free)

# The sound example as sound.html, a page of its own (md2viewer's plays no sound): an effect (WAV)
# and a music track (Ogg Vorbis) made here with sox, packed in sound.data as /sound/effect.wav and
# /sound/music.ogg. The page starts the program with those, or with the files its address names.
add_subdirectory(${PROJECT_SOURCE_DIR}/examples/sound ${PROJECT_BINARY_DIR}/examples/sound)
set(sounds ${PROJECT_BINARY_DIR}/web-sounds)
add_custom_command(OUTPUT ${sounds}/effect.wav ${sounds}/music.ogg
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${sounds}
                   COMMAND sox -n -r 22050 -b 16 -c 1 ${sounds}/effect.wav synth 0.3 sine 880 fade 0 0.3 0.2
                   COMMAND sox -n -r 22050 -c 2 ${sounds}/music.ogg synth 1.5 sine 330-660 fade 0.1 1.5 0.4
                   VERBATIM)
add_custom_target(sound_data DEPENDS ${sounds}/effect.wav ${sounds}/music.ogg)
korvel_web_page(sound-example sound.html)
set_target_properties(sound-example PROPERTIES OUTPUT_NAME sound)
add_dependencies(sound-example sound_data)
target_link_options(sound-example PRIVATE "SHELL:--preload-file ${sounds}@/sound" -sEXIT_RUNTIME=0
                    -sEXPORTED_RUNTIME_METHODS=FS,callMain)

# The shaders example as shaders.html: the ten built-in programs, each on a sphere, drawn through the
# page's GL as the desktop draws them, with the viewer's data and shaders packed in shaders.data.
add_executable(shaders-example ${PROJECT_SOURCE_DIR}/examples/shaders/main.cpp)
target_link_libraries(shaders-example PRIVATE korvel korvel_options)
target_compile_definitions(shaders-example PRIVATE KORVEL_DATA_DIR="/")
korvel_web_page(shaders-example shaders.html)
set_target_properties(shaders-example PROPERTIES OUTPUT_NAME shaders)
target_link_options(shaders-example PRIVATE
  "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/runtime/Data@/Data"
  "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/runtime/shaders@/shaders"
  -sFORCE_FILESYSTEM=1 -sEXPORTED_RUNTIME_METHODS=FS,ENV -sEXIT_RUNTIME=0
  -sEXPORTED_FUNCTIONS=_main,_malloc,_free,_stbi_load,_stbi_load_from_memory,_stbi_image_free)
