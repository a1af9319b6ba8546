# md2viewer as a web page: the program as md2viewer.js and .wasm, its data (runtime/Data and the
# shaders, as made by the native assetgen) packed in md2viewer.data, and the page around them, all in
# KORVEL_WEB_DIR. The page is our own: it shows the log under the canvas and takes the user's files.
set(KORVEL_WEB_DIR ${PROJECT_BINARY_DIR}/web CACHE PATH "Folder the web page is written to")
set_target_properties(md2viewer PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${KORVEL_WEB_DIR})
target_link_options(md2viewer PRIVATE
  "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/runtime/Data@/Data"
  "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/runtime/shaders@/shaders"
  -sFORCE_FILESYSTEM=1 -sEXPORTED_RUNTIME_METHODS=FS -sEXIT_RUNTIME=0
  # The emulated SDL_image decodes every image with stb_image, as the page's own files are not
  # preloaded; it calls these by name.
  -sEXPORTED_FUNCTIONS=_main,_malloc,_free,_stbi_load,_stbi_load_from_memory,_stbi_image_free)
add_custom_command(TARGET md2viewer POST_BUILD
                   COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/web/md2viewer.html
                           ${KORVEL_WEB_DIR}/md2viewer.html
                   VERBATIM)
set_property(TARGET md2viewer APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/web/md2viewer.html)
