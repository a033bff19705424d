# Finds raylib 6.0 or newer and provides it as the target `raylib`, with `raylib_library` set to
# the path of its shared library. Distributions ship either raylib's CMake package or only its
# pkg-config file, so both are tried, the CMake package first. scripts/bootstrap-raylib.sh runs
# this same search (cmake/find-raylib) to decide whether it has anything to build.
#
# With GUI_DEMO_RAYLIB_FALLBACK set to a prefix, that prefix is searched last.

find_package(raylib 6.0 CONFIG QUIET)
if(NOT raylib_FOUND)
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
    if(GUI_DEMO_RAYLIB_FALLBACK)
        find_package(raylib 6.0 CONFIG QUIET PATHS "${GUI_DEMO_RAYLIB_FALLBACK}" NO_DEFAULT_PATH)
    endif()
endif()
if(NOT raylib_FOUND)
    message(FATAL_ERROR "raylib 6.0 or newer was found neither as a CMake package nor through "
                        "pkg-config; run scripts/bootstrap-raylib.sh, or point CMAKE_PREFIX_PATH "
                        "or PKG_CONFIG_PATH at an installed raylib")
endif()
get_target_property(raylib_library raylib LOCATION)
message(STATUS "raylib ${raylib_VERSION} (CMake package): ${raylib_library}")
