# The native programs, the sample designs, the emblem, a manual page for each program and
# the Debian package CPack builds from these install rules.
include(GNUInstallDirs)
set(VIRELUNA_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/vireluna)
set(VIRELUNA_DOC_DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vireluna)

install(TARGETS vireluna RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/resources/logo.bmp DESTINATION ${VIRELUNA_DATA_DESTINATION})
file(GLOB VIRELUNA_SAMPLE_DESIGNS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/designs/*.pxs)
install(FILES ${VIRELUNA_SAMPLE_DESIGNS} DESTINATION ${VIRELUNA_DATA_DESTINATION}/designs)

# Debian wants manuals and changelogs compressed, and reproducibly (no name, no time stamp).
set(VIRELUNA_COMPRESSED)
# The output's folder is made first: Ninja makes it for an output, Make does not.
function(vireluna_compress source output)
  get_filename_component(folder ${output} DIRECTORY)
  add_custom_command(OUTPUT ${output}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
                     COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${source} ${output}
                     DEPENDS ${source} VERBATIM)
  set(VIRELUNA_COMPRESSED ${VIRELUNA_COMPRESSED} ${output} PARENT_SCOPE)
endfunction()

set(man ${CMAKE_CURRENT_BINARY_DIR}/man)
vireluna_compress(${CMAKE_CURRENT_SOURCE_DIR}/man/vireluna.1 ${man}/vireluna.1.gz)
install(FILES ${man}/vireluna.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(TARGET vireluna-saver)
  vireluna_compress(${CMAKE_CURRENT_SOURCE_DIR}/man/vireluna-saver.6 ${man}/vireluna-saver.6.gz)
  install(FILES ${man}/vireluna-saver.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endif()

configure_file(debian/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
vireluna_compress(${CMAKE_CURRENT_BINARY_DIR}/changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz debian/copyright
        DESTINATION ${VIRELUNA_DOC_DESTINATION})
add_custom_target(vireluna_package_documents ALL DEPENDS ${VIRELUNA_COMPRESSED})
# Everything built that the package holds: scripts/build-all.sh --main-job builds this, without
# the tests, and configures its tree so that CPack does not build the rest either.
add_custom_target(vireluna_package_contents)
add_dependencies(vireluna_package_contents vireluna vireluna_package_documents)
if(TARGET vireluna-saver)
  add_dependencies(vireluna_package_contents vireluna-saver)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vireluna)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tessoran")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "embroidery screen saver and design tool")
set(CPACK_PACKAGE_CONTACT "Vireluna developers <developers@vireluna.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The notice line asks for Arial; Liberation Sans has its metrics.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver | xsecurelock")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vireluna stitches embroidery designs on the screen, line by line and in
their thread colours, as if a machine were embroidering them.

This package holds the vireluna tool, which describes design files and
draws them to PNG exactly as the saver shows them, the saver for X11
desktops (XScreenSaver and xsecurelock), and sample designs.")
include(CPack)
