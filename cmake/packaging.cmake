# Installation (cmake --install) and the Debian package (cpack -G DEB in the build folder):
# the two programs, their texts and help pages in share/vgr47, a desktop entry with its icon,
# manual pages and bash completion.
include(GNUInstallDirs)

set(VGR47_RESOURCES ${PROJECT_SOURCE_DIR}/resources)
set(VGR47_CONTACT "VGR47 developers <dev@vgr47.invalid>")
set(VGR47_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vgr47)

install(TARGETS vgr47 vgr47-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${VGR47_RESOURCES}/language.sys DESTINATION ${CMAKE_INSTALL_DATADIR}/vgr47)
install(DIRECTORY ${VGR47_RESOURCES}/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vgr47/help)
install(FILES ${VGR47_RESOURCES}/vgr47.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VGR47_RESOURCES}/icons/vgr47.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 256)
  install(FILES ${VGR47_RESOURCES}/icons/vgr47-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME vgr47.png)
endforeach()
install(FILES ${VGR47_RESOURCES}/bash-completion/vgr47-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${VGR47_RESOURCES}/debian/copyright DESTINATION ${VGR47_DOC_DIR})

# Manual pages and the changelog, compressed as Debian wants them: gzip -9 without a time stamp.
# SOURCE_DATE_EPOCH, when set, fixes the dates for a reproducible package.
string(TIMESTAMP VGR47_MAN_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP VGR47_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(VGR47_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package-files)
function(vgr47_gzip_file input output)
  configure_file(${input} ${VGR47_PACKAGE_FILES}/${output} @ONLY)
  execute_process(COMMAND gzip -9nf ${VGR47_PACKAGE_FILES}/${output} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip could not compress ${output}")
  endif()
endfunction()
foreach(page vgr47 vgr47-cli)
  vgr47_gzip_file(${VGR47_RESOURCES}/man/${page}.1.in ${page}.1)
  install(FILES ${VGR47_PACKAGE_FILES}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
vgr47_gzip_file(${VGR47_RESOURCES}/debian/changelog.in changelog)
install(FILES ${VGR47_PACKAGE_FILES}/changelog.gz DESTINATION ${VGR47_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vgr47)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VGR47_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming software for hand-held two-way radios")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${VGR47_RESOURCES}/debian/description)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VGR47_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies from the libraries the programs are linked with (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Help pages open in the desktop's browser; the Chinese texts need CJK glyphs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-wqy-microhei | fonts-noto-cjk")
include(CPack)
