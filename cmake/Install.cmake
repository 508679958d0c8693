# Installation and the Debian package. The program itself goes to libexec; what users start is a
# launcher in bin that gives each user a catalogue of their own (see dist/linux/edoklad.in).
# Beside them: the menu entry, the icon in the hicolor theme, the AppStream metadata, the ration
# file type and the sample catalogue.
include(GNUInstallDirs)

set(EDOKLAD_APP_ID ru.edoklad.edoklad)
set(EDOKLAD_SCREENSHOT_URL "https://edoklad.example.org/screenshots/main-window.png"
    CACHE STRING "Web address of the screenshot named in the AppStream metadata (docs/main-window.png)")
set(EDOKLAD_MAINTAINER "Edoklad developers <edoklad@example.org>"
    CACHE STRING "Maintainer named in the Debian package")
set(EDOKLAD_DIST ${PROJECT_SOURCE_DIR}/dist/linux)

# The launcher finds the program and the catalogue relative to itself, so any prefix works,
# also one given only at install time (cmake --install --prefix).
set(EDOKLAD_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/edoklad)
set(EDOKLAD_CATALOGUE_DIR ${CMAKE_INSTALL_DATADIR}/edoklad/files)
file(RELATIVE_PATH EDOKLAD_LAUNCHER_TO_PROGRAM /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${EDOKLAD_PROGRAM_DIR}/edoklad)
file(RELATIVE_PATH EDOKLAD_LAUNCHER_TO_CATALOGUE /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${EDOKLAD_CATALOGUE_DIR})
configure_file(${EDOKLAD_DIST}/edoklad.in ${CMAKE_BINARY_DIR}/dist/edoklad @ONLY)
configure_file(${EDOKLAD_DIST}/${EDOKLAD_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/dist/${EDOKLAD_APP_ID}.metainfo.xml @ONLY)

# The PNG sizes of the icon are drawn from its SVG at build time.
set(EDOKLAD_ICON_SVG ${PROJECT_SOURCE_DIR}/src/app/look/icons/edoklad.svg)
set(EDOKLAD_ICON_SIZES 16 24 32 48 64 128 256)
set(EDOKLAD_ICON_DIR ${CMAKE_BINARY_DIR}/dist/hicolor)
edoklad_draw_picture(EDOKLAD_ICON_PNGS ${EDOKLAD_ICON_SVG} ${EDOKLAD_ICON_DIR} ${EDOKLAD_APP_ID} png ${EDOKLAD_ICON_SIZES})
add_custom_target(edoklad_icons ALL DEPENDS ${EDOKLAD_ICON_PNGS})

install(TARGETS edoklad RUNTIME DESTINATION ${EDOKLAD_PROGRAM_DIR})
install(PROGRAMS ${CMAKE_BINARY_DIR}/dist/edoklad DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/sample/files/ DESTINATION ${EDOKLAD_CATALOGUE_DIR})
install(FILES ${EDOKLAD_DIST}/${EDOKLAD_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/dist/${EDOKLAD_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The ration file type, so that file managers open .edk files with the program. (The package's
# trigger from shared-mime-info updates the database; after cmake --install, update-mime-database.)
install(FILES ${EDOKLAD_DIST}/${EDOKLAD_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${EDOKLAD_APP_ID}.xml)
install(FILES ${EDOKLAD_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${EDOKLAD_APP_ID}.svg)
install(DIRECTORY ${EDOKLAD_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# cpack -G DEB: library dependencies found by dpkg-shlibdeps, the rest named here.
set(CPACK_PACKAGE_NAME edoklad)
set(CPACK_PACKAGE_VENDOR "Edoklad")
set(CPACK_PACKAGE_CONTACT "${EDOKLAD_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calorie calculator for a day's ration")
set(CPACK_PACKAGE_DESCRIPTION
    "Edoklad composes a day's ration from a product catalogue and counts its proteins, fats,\n\
carbohydrates and kilocalories. Rations are saved to files, opened again and printed.\n\
Each user works on a copy of the sample catalogue of their own. The interface is in Russian.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts stand in for the window's own faces; Qt's translations give its dialogs Russian texts.
# Qt's windowing plugins are only recommended by its libraries, yet without them no window opens;
# without Qt's Wayland plugin a Wayland session runs the program through XWayland. libcups is
# loaded on the first print, so no linked library names it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core, qt6-qpa-plugins, qt6-wayland, libcups2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups")
set(CPACK_STRIP_FILES ON)
include(CPack)
