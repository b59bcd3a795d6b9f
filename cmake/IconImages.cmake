# The program's icon rendered with rsvg-convert to the hicolor PNG sizes,
# installed for the desktop and compiled into the windows as the window icon.
set(PELMORA_ICON_SIZES 16 32 48 64 128 256)
set(PELMORA_ICON_DIR ${CMAKE_BINARY_DIR}/icons)

set(pelmora_icon_pngs)
foreach(size IN LISTS PELMORA_ICON_SIZES)
    set(png ${PELMORA_ICON_DIR}/${size}x${size}/pelmora.png)
    add_custom_command(
        OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PELMORA_ICON_DIR}/${size}x${size}
        COMMAND ${PELMORA_RSVG_CONVERT} --width=${size} --height=${size} --format=png
                --output=${png} ${PELMORA_ICON_SVG}
        DEPENDS ${PELMORA_ICON_SVG}
        COMMENT "Rendering the ${size}x${size} icon"
        VERBATIM)
    list(APPEND pelmora_icon_pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(pelmora_icon_images ALL DEPENDS ${pelmora_icon_pngs})

# The window icon (gui/ProgramIcon.cpp): the title bar and the task switcher
# pick the nearest size; larger ones come from the installed icon theme.
# Aliases keep the resource paths independent of the build folder's layout.
set(pelmora_window_icons)
foreach(size IN ITEMS 16 32 48)
    set(png ${PELMORA_ICON_DIR}/${size}x${size}/pelmora.png)
    set_source_files_properties(${png} PROPERTIES QT_RESOURCE_ALIAS pelmora-${size}.png)
    list(APPEND pelmora_window_icons ${png})
endforeach()
qt_add_resources(pelmora_gui pelmora_window_icons PREFIX /icons FILES ${pelmora_window_icons})
