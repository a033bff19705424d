# The page (scripts/build-web.sh): the same program built with emscripten, with its own entry point
# (main.cpp), which the browser calls for each frame. Its input plumbing and its mirror of the
# screen for screen readers are the page's own script (index.html, screen_mirror.js).
add_executable(gui_demo platform/web/main.cpp)
target_link_libraries(gui_demo PRIVATE gui_demo_core raylib)
target_compile_options(gui_demo PRIVATE ${warnings})
target_link_options(gui_demo PRIVATE -sENVIRONMENT=web)
set_target_properties(gui_demo PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/page")
configure_file(platform/web/index.html "${CMAKE_BINARY_DIR}/page/index.html" COPYONLY)
configure_file(platform/web/screen_mirror.js "${CMAKE_BINARY_DIR}/page/screen_mirror.js" COPYONLY)

# The page build's digit source, run under Node.js by the browser tests (tests/web/).
add_executable(number_text_digits tests/web/digits_main.cpp src/gui_demo/number_text.cpp)
target_include_directories(number_text_digits PRIVATE src)
target_include_directories(number_text_digits SYSTEM PRIVATE "${fmt_include}")
target_compile_options(number_text_digits PRIVATE ${warnings})
# One file, the WebAssembly inside: this emscripten would fetch a separate one by URL, which
# Node.js cannot.
target_link_options(number_text_digits PRIVATE -sENVIRONMENT=node -sSINGLE_FILE=1)
