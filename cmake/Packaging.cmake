# The Debian package: `cpack -G DEB` in the build folder writes
# valdora_<version>_amd64.deb with what `cmake --install` installs under /usr,
# plus the documentation Debian wants beside every package.
include(GNUInstallDirs)

# Installing and packaging take what is built: they never start building the
# tests and benchmarks first (the package is made from an already built tree).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(package_doc ${CMAKE_INSTALL_DATADIR}/doc/valdora)
# Debian keeps changelogs and manual pages compressed, without a time stamp
# so that the package is the same whenever it is made.
set(compressed ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${compressed})
foreach(pair "changelog;packaging/changelog" "valdora.1;desktop/valdora.1")
  list(GET pair 0 name)
  list(GET pair 1 source)
  add_custom_command(OUTPUT ${compressed}/${name}.gz
                     COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/${source} > ${compressed}/${name}.gz
                     DEPENDS ${PROJECT_SOURCE_DIR}/${source}
                     VERBATIM)
  list(APPEND compressed_files ${compressed}/${name}.gz)
endforeach()
add_custom_target(package_documents ALL DEPENDS ${compressed_files})

install(FILES ${compressed}/valdora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${compressed}/changelog.gz packaging/copyright DESTINATION ${package_doc})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME valdora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "VALDORA maintainers <maintainers@users.noreply.c-seed-07578e70.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries from the binary itself (dpkg-shlibdeps); nothing hand-listed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The screens and the sheet name Arial and Times New Roman: these fonts have
# their metrics. The program runs without them, with other fonts. The
# toolkit's translations put its save dialog in Spanish beside the screens.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sample size for estimating a proportion")
# The synopsis comes from the summary; this is the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "VALDORA computes the size of a simple random sample for estimating a
proportion from the maximum error and the confidence, and optionally the
approximate proportion, the design effect, the response rate and the
population size. It shows the result with the data it came from and prints
a one-page results sheet, with print preview. Its screens are in Spanish.")
include(CPack)
