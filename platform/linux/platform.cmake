# The Linux desktop: raylib's GLFW window on X11, the input pacer chained onto it
# (platform/glfw/), and the window on the desktop's accessibility tree through ATK and its AT-SPI
# bridge. Installed as make run builds it, or laid out as the Debian package (package/).
find_package(PkgConfig REQUIRED)
pkg_check_modules(ATK_BRIDGE IMPORTED_TARGET atk-bridge-2.0 atk gio-2.0)
if(NOT ATK_BRIDGE_FOUND)
    message(FATAL_ERROR "ATK and its AT-SPI bridge were not found: install Debian's "
        "libatk-bridge2.0-dev (scripts/install-deps.sh does)")
endif()

add_executable(gui_demo
    platform/linux/main.cpp
    platform/linux/no_window.cpp
    platform/linux/library_symbol.cpp
    platform/linux/accessibility_bridge.cpp
    platform/linux/accessibility_bus.cpp
    platform/linux/key_events.cpp
    platform/glfw/glfw_window.cpp
    platform/glfw/navigation_input.cpp)
target_include_directories(gui_demo PRIVATE platform)
target_link_libraries(gui_demo PRIVATE gui_demo_core raylib PkgConfig::ATK_BRIDGE ${CMAKE_DL_LIBS})
target_compile_options(gui_demo PRIVATE ${warnings})

option(GUI_DEMO_PACKAGE "Install as the Debian package lays it out (scripts/build-package.sh)" OFF)
if(GUI_DEMO_PACKAGE)
    include(platform/linux/package/deb.cmake)
    return()
endif()

# Installed, the program finds the bootstrapped raylib, which is installed beside it in ../lib;
# a raylib of the user's own stays where it is, and its directory stays on the run path.
include(GNUInstallDirs)
set_target_properties(gui_demo PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
install(TARGETS gui_demo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(raylib_is_bootstrapped)
    install(IMPORTED_RUNTIME_ARTIFACTS raylib LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
else()
    set_target_properties(gui_demo PROPERTIES INSTALL_RPATH_USE_LINK_PATH TRUE)
endif()
