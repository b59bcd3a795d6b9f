# The Debian package: `cpack -G DEB` in the build folder packages what
# `cmake --install` installs, under /usr, as build/pelmora_<version>_<arch>.deb.
# Its dependencies come from the shared libraries the program links
# (dpkg-shlibdeps, from dpkg-dev), plus what it loads without linking.
# No maintainer scripts: the dpkg triggers of shared-mime-info,
# desktop-file-utils and the icon cache pick up the MIME type, the desktop
# entry and the icons.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pelmora)
set(CPACK_PACKAGE_VENDOR Pelmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Pelmora <info@pelmora.ru>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "purchase orders from a gift wholesaler's catalogue")
# One line of the control file's long description per line here.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "Pelmora Order composes a purchase order from the wholesaler's catalogue,"
       "an SQLite file with a folder of JPEG pictures. The user browses and"
       "filters the catalogue, adds products in quantities that reach each"
       "product's minimum, and follows the totals of money, volume and weight,"
       "in roubles at the central bank's daily euro rate. Unfinished orders are"
       "saved as .order files; the finished order becomes a document that is"
       "previewed and printed.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The package lands in the build folder wherever cpack runs.
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
# Debian packages ship stripped programs; the build folder keeps the symbols.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE http://www.pelmora.ru/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, not linked, so invisible to shlibdeps: libcurl (opened
# with dlopen by the HTTP client; 7.85 brought the protocol lists it sets),
# libxlsxwriter (opened by the export to a workbook, as libxlsxwriter.so.4),
# Qt's Russian translation of the standard buttons, and the fonts that give
# the order document Arial's metrics.
string(JOIN ", " CPACK_DEBIAN_PACKAGE_DEPENDS
       "libcurl4 (>= 7.85.0) | libcurl4t64" libxlsxwriter4 qt6-translations-l10n fonts-liberation2)

include(CPack)
