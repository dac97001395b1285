# What `cmake --install` puts where, and the Debian package CPack makes of it:
#   cmake --build build --target package   ->   build/miltea_<version>_amd64.deb
# Every file a Debian package is checked for (lintian) is here: the manual
# page and the changelog gzipped without a time stamp, the copyright file,
# the desktop entry, the AppStream metainfo and the icons.
set(doc ${CMAKE_INSTALL_DATADIR}/doc/miltea)
set(gen ${CMAKE_CURRENT_BINARY_DIR}/packaging)

install(TARGETS miltea RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS scripts/miltea-book DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY data/sample/ DESTINATION ${CMAKE_INSTALL_DATADIR}/miltea/sample
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES docs/help.html packaging/copyright DESTINATION ${doc})
install(FILES resources/miltea.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/icons/app.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME miltea.svg)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES packaging/icons/${size}x${size}/miltea.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The version is project()'s; these files carry it.
configure_file(packaging/miltea.metainfo.xml.in ${gen}/org.miltea.Miltea.metainfo.xml @ONLY)
configure_file(packaging/miltea.1 ${gen}/miltea.1 @ONLY)
configure_file(packaging/changelog.in ${gen}/changelog @ONLY)
file(WRITE ${gen}/miltea-book.1 ".so man1/miltea.1\n")
install(FILES ${gen}/org.miltea.Miltea.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# gzip -n: no name or time stamp, so the same sources give the same package.
find_program(GZIP gzip REQUIRED)
set(gzipped)
foreach(file miltea.1 miltea-book.1 changelog)
    add_custom_command(OUTPUT ${gen}/${file}.gz
                       COMMAND ${GZIP} -9nf -k ${gen}/${file}
                       DEPENDS ${gen}/${file} VERBATIM)
    list(APPEND gzipped ${gen}/${file}.gz)
endforeach()
add_custom_target(miltea_gzipped ALL DEPENDS ${gzipped})
install(FILES ${gen}/miltea.1.gz ${gen}/miltea-book.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${gen}/changelog.gz DESTINATION ${doc})
# The sample book is Shift-JIS on purpose: it is what the program reads.
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME miltea)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME miltea)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER
    "The Miltea developers <maintainers@users.noreply.c-seed-f1684029.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://miltea.example.org/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "household account book (kakeibo) in Japanese")
# The summary is the synopsis; this is the long description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Miltea records payments and incomes, reconciles them with the cash at
hand, and reads the month against a spending pace line, totals, a colour
calendar, searches, trends, savings and a one-line diary. The book is kept
in Shift-JIS text files; every change can be undone, and a copy of the
book is kept every day.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts and the Japanese captions Qt loads at run time, not linked.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-translations-l10n, fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
include(CPack)
