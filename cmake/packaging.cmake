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

# Who answers for the package; a packager sets the real address with
# -DCARVELLE_MAINTAINER="Name <address>".
set(CARVELLE_MAINTAINER "Carvelle maintainers <maintainers@users.noreply.c-seed-86fe03f7.example>"
    CACHE STRING "The package's maintainer, as \"Name <address>\"")
set(CARVELLE_SOURCE "https://example.org/carvelle" CACHE STRING "Where the sources are published")

# Manual pages and the changelog are installed gzipped; -n keeps the package
# the same bytes from one build to the next.
configure_file(${CARVELLE_PACKAGING}/changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
configure_file(${CARVELLE_PACKAGING}/copyright ${CMAKE_BINARY_DIR}/copyright @ONLY)
set(CARVELLE_GZIPPED)
foreach(source carvelle.1 carvelle-tool.1 changelog)
    if(source STREQUAL changelog)
        set(input ${CMAKE_BINARY_DIR}/changelog)
    else()
        set(input ${CARVELLE_PACKAGING}/${source})
    endif()
    set(output ${CMAKE_BINARY_DIR}/${source}.gz)
    add_custom_command(OUTPUT ${output} COMMAND gzip -9 -n -c ${input} > ${output} DEPENDS ${input} VERBATIM)
    list(APPEND CARVELLE_GZIPPED ${output})
endforeach()
add_custom_target(carvelle-man ALL DEPENDS ${CARVELLE_GZIPPED})
install(FILES ${CMAKE_BINARY_DIR}/carvelle.1.gz ${CMAKE_BINARY_DIR}/carvelle-tool.1.gz DESTINATION share/man/man1)
# A native package: its changelog is changelog.gz.
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz ${CMAKE_BINARY_DIR}/copyright DESTINATION share/doc/carvelle)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME carvelle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Carvelle)
set(CPACK_PACKAGE_CONTACT "${CARVELLE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CARVELLE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${CARVELLE_SOURCE}")
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
# Directories are owned by root whatever the umask of the build.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
include(CPack)
