# The Windows build (scripts/build-windows.sh): the desktop program as a GUI program, cross-built
# with MinGW-w64: raylib's GLFW window with the input pacer chained onto it (platform/glfw/), the
# window for screen readers through MSAA, its icon and version resource and the Windows report of
# a window that cannot open, packed with libraylib.dll, a README and the licence texts into
# gui_demo-<version>-windows-x86_64.zip.

# The icon, rendered from the one SVG at the sizes Explorer and the taskbar pick from.
include(cmake/icon.cmake)
find_program(ICOTOOL icotool REQUIRED)
set(icon "${CMAKE_BINARY_DIR}/gui_demo.ico")
render_icon(icon_pngs 16 24 32 48 64 256)
add_custom_command(OUTPUT "${icon}"
    COMMAND ${ICOTOOL} -c -o "${icon}" ${icon_pngs}
    DEPENDS ${icon_pngs} VERBATIM)
configure_file(platform/windows/gui_demo.rc.in "${CMAKE_BINARY_DIR}/gui_demo.rc" @ONLY)
set_source_files_properties("${CMAKE_BINARY_DIR}/gui_demo.rc" PROPERTIES OBJECT_DEPENDS "${icon}")

# WIN32: a GUI program, so double-clicking it opens no console window behind the demo.
add_executable(gui_demo WIN32
    platform/windows/main.cpp
    platform/windows/no_window.cpp
    platform/windows/library_symbol.cpp
    platform/windows/accessibility_bridge.cpp
    platform/glfw/glfw_window.cpp
    platform/glfw/navigation_input.cpp
    "${CMAKE_BINARY_DIR}/gui_demo.rc")
target_include_directories(gui_demo PRIVATE platform)
target_link_libraries(gui_demo PRIVATE gui_demo_core raylib oleacc ole32 oleaut32 uuid)
target_compile_options(gui_demo PRIVATE ${warnings})
# The C and C++ runtimes go into the program, so it needs no MinGW DLL beside it.
target_link_options(gui_demo PRIVATE -static)

# The Windows tests' MSAA client (tests/windows/msaa_client.cpp), which asks the program's window
# what it holds as a screen reader does; built beside the program, not put into the zip.
add_executable(msaa_client tests/windows/msaa_client.cpp)
target_link_libraries(msaa_client PRIVATE oleacc ole32 oleaut32 uuid)
target_compile_options(msaa_client PRIVATE ${warnings})
target_link_options(msaa_client PRIVATE -static)

# The zip: the program, raylib's DLL, the README and every licence text, under one folder.
install(TARGETS gui_demo RUNTIME DESTINATION .)
install(IMPORTED_RUNTIME_ARTIFACTS raylib RUNTIME DESTINATION .)
configure_file(platform/windows/README.txt "${CMAKE_BINARY_DIR}/README.txt" NEWLINE_STYLE CRLF)
configure_file(LICENSE "${CMAKE_BINARY_DIR}/LICENSE.txt" NEWLINE_STYLE CRLF)
# The MinGW-w64 runtime's start-up code and maths are linked into both files; Debian's copyright
# file for it holds every notice that code carries.
configure_file(/usr/share/doc/mingw-w64-common/copyright
    "${CMAKE_BINARY_DIR}/LICENSE-mingw-w64-runtime.txt" NEWLINE_STYLE CRLF)
# {fmt}'s number formatting is compiled into the program; Debian's copyright file for it holds
# its licence.
configure_file(/usr/share/doc/libfmt-dev/copyright "${CMAKE_BINARY_DIR}/LICENSE-fmt.txt"
    NEWLINE_STYLE CRLF)
install(FILES "${CMAKE_BINARY_DIR}/README.txt" "${CMAKE_BINARY_DIR}/LICENSE.txt"
    "${CMAKE_BINARY_DIR}/LICENSE-mingw-w64-runtime.txt" "${CMAKE_BINARY_DIR}/LICENSE-fmt.txt"
    DESTINATION .)
# raylib's and GLFW's licence texts, which scripts/build-windows.sh put beside the DLL's folder.
cmake_path(GET raylib_library PARENT_PATH raylib_bin)
install(DIRECTORY "${raylib_bin}/../share/licenses/" DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME gui_demo)
set(CPACK_PACKAGE_FILE_NAME "gui_demo-${PROJECT_VERSION}-windows-x86_64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
