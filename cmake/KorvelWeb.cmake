# md2viewer as a web page: the program as md2viewer.js and .wasm, its data (runtime/Data and the
# shaders, as made by the native assetgen) packed in md2viewer.data, and the page around them, all in
# KORVEL_WEB_DIR. The page is our own: it shows the log under the canvas and takes the user's files.
set(KORVEL_WEB_DIR ${PROJECT_BINARY_DIR}/web CACHE PATH "Folder the web page is written to")
set_target_properties(md2viewer PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${KORVEL_WEB_DIR})
target_link_options(md2viewer PRIVATE
  "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/runtime/Data@/Data"
  "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/runtime/shaders@/shaders"
  -sFORCE_FILESYSTEM=1 -sEXPORTED_RUNTIME_METHODS=FS,ccall -sEXIT_RUNTIME=0
  # The page opens the user's models through md2viewer_open; the emulated SDL_image decodes every
  # image with stb_image (the user's files are not preloaded) and calls it by these names.
  -sEXPORTED_FUNCTIONS=_main,_md2viewer_open,_md2viewer_browse,_malloc,_free,_stbi_load,_stbi_load_from_memory,_stbi_image_free)
add_custom_command(OUTPUT ${KORVEL_WEB_DIR}/md2viewer.html
                   COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/web/md2viewer.html ${KORVEL_WEB_DIR}/md2viewer.html
                   DEPENDS ${PROJECT_SOURCE_DIR}/web/md2viewer.html VERBATIM)
add_custom_target(md2viewer_page DEPENDS ${KORVEL_WEB_DIR}/md2viewer.html)
add_dependencies(md2viewer md2viewer_page)
