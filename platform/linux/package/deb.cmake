# The Debian package (scripts/build-package.sh): the program as make run builds it, installed as
# /usr/bin/zelkor-gui-demo with a launcher, its icon, AppStream metadata and a manual page. A
# distinctive name, so that nothing as generic as gui_demo lands on a user's PATH.
#
# Debian 12 has no raylib 6.0, so the bootstrapped one goes in as a private copy in
# /usr/lib/zelkor-gui-demo/lib, outside the linker's search path (a future system raylib cannot
# clash with it), found through the program's run path. One folder deeper than the package's own
# because CPack takes any library directly inside a folder of /usr/lib for one the linker
# searches, and adds ldconfig calls that do nothing but draw lintian's warning. A raylib of the
# system's own is depended on instead.
set(package zelkor-gui-demo)
set(GUI_DEMO_MAINTAINER "The Zelkor GUI demo authors <gui-demo@zelkor.example>"
    CACHE STRING "The package's Maintainer field")
set(GUI_DEMO_HOMEPAGE "https://zelkor.example/gui-demo"
    CACHE STRING "Where the demo is published; the AppStream screenshot is screenshot.png there")

set_target_properties(gui_demo PROPERTIES OUTPUT_NAME ${package})
install(TARGETS gui_demo RUNTIME DESTINATION bin)
if(raylib_is_bootstrapped)
    set_target_properties(gui_demo PROPERTIES INSTALL_RPATH /usr/lib/${package}/lib)
    # Stripped, and under the name the program asks for (its soname).
    set(private_raylib "${CMAKE_BINARY_DIR}/private/libraylib.so.600")
    add_custom_command(OUTPUT "${private_raylib}"
        COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/private"
        COMMAND ${CMAKE_STRIP} --strip-unneeded -o "${private_raylib}" "${raylib_library}"
        DEPENDS "${raylib_library}" VERBATIM)
    add_custom_target(private_raylib ALL DEPENDS "${private_raylib}")
    install(FILES "${private_raylib}" DESTINATION lib/${package}/lib)
endif()

# Launcher, icon, metadata, manual page, changelog and copyright.
include(cmake/icon.cmake)
set(icon_sizes 16 24 32 48 64 128 256)
render_icon(icon_pngs ${icon_sizes})
add_custom_target(icon_pngs ALL DEPENDS ${icon_pngs})
foreach(size ${icon_sizes})
    install(FILES "${CMAKE_BINARY_DIR}/icon/${size}.png"
        DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${package}.png)
endforeach()
install(FILES data/${package}.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES data/${package}.desktop DESTINATION share/applications)
configure_file(data/${package}.metainfo.xml.in
    "${CMAKE_BINARY_DIR}/org.zelkor.GuiDemo.metainfo.xml" @ONLY)
install(FILES "${CMAKE_BINARY_DIR}/org.zelkor.GuiDemo.metainfo.xml" DESTINATION share/metainfo)

# Debian wants these compressed, and without a time stamp inside, so that a rebuild is identical.
find_program(GZIP gzip REQUIRED)
configure_file(data/${package}.6 "${CMAKE_BINARY_DIR}/man/${package}.6" @ONLY)
configure_file(platform/linux/package/changelog.in "${CMAKE_BINARY_DIR}/doc/changelog" @ONLY)
foreach(file man/${package}.6 doc/changelog)
    add_custom_command(OUTPUT "${CMAKE_BINARY_DIR}/${file}.gz"
        COMMAND ${GZIP} -9nkf "${CMAKE_BINARY_DIR}/${file}"
        DEPENDS "${CMAKE_BINARY_DIR}/${file}" VERBATIM)
    list(APPEND gzipped "${CMAKE_BINARY_DIR}/${file}.gz")
endforeach()
add_custom_target(gzipped_docs ALL DEPENDS ${gzipped})
install(FILES "${CMAKE_BINARY_DIR}/man/${package}.6.gz" DESTINATION share/man/man6)
install(FILES "${CMAKE_BINARY_DIR}/doc/changelog.gz" platform/linux/package/copyright
    DESTINATION share/doc/${package})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${package})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${GUI_DEMO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "showcase of a small immediate-mode GUI widget kit")
set(CPACK_PACKAGE_DESCRIPTION
"One window showing a small immediate-mode GUI widget kit at work, drawn
with raylib and redrawn from scratch 60 times a second: a push button with
a click counter, checkboxes, a radio group, sliders, a scroll bar, a box to
drag and drop, a text field, an animation strip and a frame-rate readout.
.
The package carries its own copy of raylib 6.0, which Debian 12 lacks.")
# What dpkg-shlibdeps finds (libc6, libx11-6, and ATK, its AT-SPI bridge and GLib for the
# accessibility bridge), and what it cannot see: GLFW, inside raylib, opens the other X11
# libraries and OpenGL with dlopen. A software OpenGL is recommended, not required: it is what
# runs the demo without a GPU driver, while a machine with its own driver needs no Mesa.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libxrandr2, libxinerama1, libxcursor1, libxi6, libgl1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libgl1-mesa-dri)
include(CPack)
