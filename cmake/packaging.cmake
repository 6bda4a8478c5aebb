# What "cmake --install" puts where, and the Debian package CPack makes of
# it: cpack -G DEB in the build folder writes carvelle_<version>_amd64.deb.

set(CARVELLE_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS carvelle carvelle-tool RUNTIME DESTINATION bin)
# The demonstration hotel offered at the first start from the desktop menu:
# the generator and the settings script, looked for by the program in
# <its folder>/../lib/carvelle (not a multiarch folder: they are programs).
install(TARGETS carvelle-generate RUNTIME DESTINATION lib/carvelle)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/scripts/demo-settings.sh DESTINATION lib/carvelle)

# Desktop integration. Debian's triggers on these folders (shared-mime-info,
# desktop-file-utils, hicolor-icon-theme, man-db) refresh their caches: the
# package needs no maintainer script.
install(FILES ${CARVELLE_PACKAGING}/carvelle.desktop DESTINATION share/applications)
install(FILES ${CARVELLE_PACKAGING}/carvelle-mime.xml DESTINATION share/mime/packages RENAME carvelle.xml)
install(FILES ${CARVELLE_PACKAGING}/carvelle.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 48 128)
    install(FILES ${CARVELLE_PACKAGING}/carvelle-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME carvelle.png)
endforeach()

# Manual pages are installed gzipped; -n keeps the package the same bytes
# from one build to the next.
set(CARVELLE_MAN_PAGE ${CMAKE_BINARY_DIR}/carvelle-tool.1.gz)
add_custom_command(OUTPUT ${CARVELLE_MAN_PAGE}
                   COMMAND gzip -9 -n -c ${CARVELLE_PACKAGING}/carvelle-tool.1 > ${CARVELLE_MAN_PAGE}
                   DEPENDS ${CARVELLE_PACKAGING}/carvelle-tool.1
                   VERBATIM)
add_custom_target(carvelle-man ALL DEPENDS ${CARVELLE_MAN_PAGE})
install(FILES ${CARVELLE_MAN_PAGE} DESTINATION share/man/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME carvelle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Carvelle)
set(CPACK_PACKAGE_CONTACT "Carvelle <carvelle@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "gestion d'un petit hôtel")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Fiches clients, chambres, planning d'occupation, factures, main courante,
stock, fournisseurs et commandes, statistiques et journal comptable, en
français, dans des fichiers texte. Comprend carvelle-tool, qui vérifie,
répare et lit un hôtel sans fenêtre.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds the Qt and C++ libraries; what is loaded at run time
# is named here: the xcb platform plugin, the French standard buttons
# (qtbase_fr.qm) and the printouts' fonts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
include(CPack)
