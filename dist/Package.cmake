# Installation and the Debian package: the two programs, their man pages, the
# desktop entry with its file type, icons, the AppStream description, and the
# documentation with the examples, in the usual places under the prefix.
include(GNUInstallDirs)
set(CORVEL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/corvelxmem)
set(CORVEL_DIST_OUT ${CMAKE_BINARY_DIR}/dist)
file(MAKE_DIRECTORY ${CORVEL_DIST_OUT})

install(TARGETS corvelxmem-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(CORVEL_GUI)
  install(TARGETS corvelxmem RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES dist/org.corvelxmem.corvelxmem.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES dist/org.corvelxmem.corvelxmem.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES dist/corvelxmem.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME corvelxmem.xml)
install(FILES assets/corvelxmem.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# PNG icons made from the SVG at build time.
find_program(RSVG_CONVERT rsvg-convert)
if(RSVG_CONVERT)
  set(icons)
  foreach(px 16 32 48 64 128 256)
    set(png ${CORVEL_DIST_OUT}/icons/${px}x${px}/corvelxmem.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CORVEL_DIST_OUT}/icons/${px}x${px}
      COMMAND ${RSVG_CONVERT} -w ${px} -h ${px} -o ${png} ${PROJECT_SOURCE_DIR}/assets/corvelxmem.svg
      DEPENDS ${PROJECT_SOURCE_DIR}/assets/corvelxmem.svg VERBATIM)
    list(APPEND icons ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${px}x${px}/apps)
  endforeach()
  add_custom_target(icons ALL DEPENDS ${icons})
else()
  message(WARNING "rsvg-convert (Debian package librsvg2-bin) not found: no PNG icons; scripts/setup.sh installs it")
endif()

# Man pages (with the version filled in) and the Debian changelog, compressed
# as Debian wants them: best compression, no name or time in the header.
find_program(GZIP gzip REQUIRED)
set(docs_gz)
foreach(page corvelxmem.1 corvelxmem-batch.1 changelog)
  configure_file(dist/${page} ${CORVEL_DIST_OUT}/${page} @ONLY)
  add_custom_command(OUTPUT ${CORVEL_DIST_OUT}/${page}.gz
    COMMAND ${GZIP} -9nkf ${CORVEL_DIST_OUT}/${page}
    DEPENDS ${CORVEL_DIST_OUT}/${page} VERBATIM)
  list(APPEND docs_gz ${CORVEL_DIST_OUT}/${page}.gz)
endforeach()
add_custom_target(dist_docs ALL DEPENDS ${docs_gz})
install(FILES ${CORVEL_DIST_OUT}/corvelxmem-batch.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(CORVEL_GUI)
  install(FILES ${CORVEL_DIST_OUT}/corvelxmem.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES ${CORVEL_DIST_OUT}/changelog.gz DESTINATION ${CORVEL_DOCDIR} RENAME changelog.Debian.gz)
install(FILES README.md dist/copyright DESTINATION ${CORVEL_DOCDIR})
install(FILES dist/corvelxmem.lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME corvelxmem)
install(DIRECTORY examples/ DESTINATION ${CORVEL_DOCDIR}/examples FILES_MATCHING PATTERN "*.corvel")

# cpack -G DEB (in the build directory): a package whose dependencies
# dpkg-shlibdeps finds, stripped programs, control files of strict modes.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvelxmem)
set(CPACK_PACKAGE_VENDOR "The CorvelXMem developers")
set(CPACK_PACKAGE_CONTACT "The CorvelXMem developers <developers@corvelxmem.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keystroke-programmable RPN scientific calculator")
# The summary is the synopsis; the lines after it are the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A desktop reverse-Polish calculator that is programmed from its own keyboard:
a four-level stack, 1000 data registers, three display formats, ten flags and
programs of up to 999 steps with labels, subroutines, tests and loop counters.
Programs are plain-text listings; data files and the whole machine state can
be saved and restored. A batch front-end runs key scripts without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://corvelxmem.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)
