# Finds raylib 6.0 or newer and provides it as the target `raylib`, with `raylib_library` set to
# the path of its shared library. Distributions ship either raylib's CMake package or only its
# pkg-config file, so both are tried, the CMake package first. scripts/bootstrap-raylib.sh runs
# this same search (cmake/find-raylib) to decide whether it has anything to build.
#
# With GUI_DEMO_RAYLIB_FALLBACK set to a prefix, that prefix is searched last. Cross-compiling,
# pkg-config would answer for this machine's libraries rather than the target's, so only CMake
# packages under the toolchain's find roots count.

find_package(raylib 6.0 CONFIG QUIET)
if(NOT raylib_FOUND AND NOT CMAKE_CROSSCOMPILING)
    find_package(PkgConfig QUIET)
    if(PKG_CONFIG_FOUND)
        pkg_check_modules(raylib_pc QUIET IMPORTED_TARGET GLOBAL raylib>=6.0)
    endif()
    if(raylib_pc_FOUND)
        add_library(raylib ALIAS PkgConfig::raylib_pc)
        list(GET raylib_pc_LINK_LIBRARIES 0 raylib_library)
        message(STATUS "raylib ${raylib_pc_VERSION} (pkg-config): ${raylib_library}")
        return()
    endif()
endif()
if(NOT raylib_FOUND AND GUI_DEMO_RAYLIB_FALLBACK)
    find_package(raylib 6.0 CONFIG QUIET PATHS "${GUI_DEMO_RAYLIB_FALLBACK}" NO_DEFAULT_PATH)
endif()
if(NOT raylib_FOUND AND CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "raylib 6.0 or newer for ${CMAKE_SYSTEM_NAME} was not found: no "
                        "raylib-config.cmake in ${GUI_DEMO_RAYLIB_FALLBACK} nor under the "
                        "toolchain's find roots (${CMAKE_FIND_ROOT_PATH}); "
                        "scripts/build-windows.sh and scripts/build-web.sh build it")
elseif(NOT raylib_FOUND)
    message(FATAL_ERROR "raylib 6.0 or newer was found neither as a CMake package nor through "
                        "pkg-config; run scripts/bootstrap-raylib.sh, or point CMAKE_PREFIX_PATH "
                        "or PKG_CONFIG_PATH at an installed raylib")
endif()
get_target_property(raylib_library raylib LOCATION)
message(STATUS "raylib ${raylib_VERSION} (CMake package): ${raylib_library}")
