# The order files' MIME type: application/x-pelmora-order for *.order, which
# the desktop entry claims, so a double click on an order in the file manager
# opens it in the program. Order files show the program's icon, installed
# under the name file managers derive from the MIME type.
include(GNUInstallDirs)

install(FILES ${PROJECT_SOURCE_DIR}/data/pelmora-order.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

set(PELMORA_ORDER_ICON application-x-pelmora-order)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/pelmora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes
        RENAME ${PELMORA_ORDER_ICON}.svg)
# The PNG sizes rendered from it for the program's own icon.
if(PELMORA_RSVG_CONVERT)
    foreach(size IN ITEMS 16 32 48 64 128 256)
        install(FILES ${CMAKE_BINARY_DIR}/icons/${size}x${size}/pelmora.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/mimetypes
                RENAME ${PELMORA_ORDER_ICON}.png)
    endforeach()
endif()
