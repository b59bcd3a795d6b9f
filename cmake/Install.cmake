# Installation into the usual places under the prefix (GNUInstallDirs), and
# the program's icon: drawn once as SVG, rendered to the hicolor PNG sizes at
# build time, installed for the desktop and compiled into the windows as the
# window icon. Without rsvg-convert the program still builds and installs,
# with the scalable icon only and no window icon.
include(GNUInstallDirs)

set(PELMORA_ICON_SVG ${CMAKE_SOURCE_DIR}/data/icons/pelmora.svg)

find_program(PELMORA_RSVG_CONVERT rsvg-convert)
if(PELMORA_RSVG_CONVERT)
    include(IconImages)
else()
    message(WARNING "rsvg-convert (Debian package librsvg2-bin, see scripts/install-deps.sh) "
                    "is missing: the PNG icons and the window icon are left out")
    # Kept so that scripts naming it still build.
    add_custom_target(pelmora_icon_images)
endif()

install(TARGETS pelmora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program finds the HTML view module at ../lib/pelmora from its own folder.
install(TARGETS pelmora_htmlview LIBRARY DESTINATION lib/pelmora)
install(FILES ${CMAKE_SOURCE_DIR}/data/pelmora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PELMORA_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
