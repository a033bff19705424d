# Renders the program's one icon, data/zelkor-gui-demo.svg, into PNGs of the given sizes under
# ${CMAKE_BINARY_DIR}/icon/<size>.png, and sets out_var to their paths.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(icon_svg "${PROJECT_SOURCE_DIR}/data/zelkor-gui-demo.svg")

function(render_icon out_var)
    set(pngs)
    foreach(size ${ARGN})
        set(png "${CMAKE_BINARY_DIR}/icon/${size}.png")
        add_custom_command(OUTPUT "${png}"
            COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/icon"
            COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o "${png}" "${icon_svg}"
            DEPENDS "${icon_svg}" VERBATIM)
        list(APPEND pngs "${png}")
    endforeach()
    set(${out_var} ${pngs} PARENT_SCOPE)
endfunction()
