# Installed layout: the program and the files it reads beside it live in
# lib/anemora (it looks for its sounds and instructions next to the
# executable), with a launcher link in bin and desktop integration in share.
include(GNUInstallDirs)

set(ANEMORA_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/anemora)

install(TARGETS anemora RUNTIME DESTINATION ${ANEMORA_INSTALL_DIR})
file(GLOB ANEMORA_RUNTIME_FILES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/resources/*.wav
  ${PROJECT_SOURCE_DIR}/resources/*.rtf
  ${PROJECT_SOURCE_DIR}/resources/Aprserve.txt)
install(FILES ${ANEMORA_RUNTIME_FILES} DESTINATION ${ANEMORA_INSTALL_DIR})
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(CREATE_LINK ../${ANEMORA_INSTALL_DIR}/anemora
       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/anemora\" SYMBOLIC)
")
install(FILES ${PROJECT_SOURCE_DIR}/resources/anemora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/anemora.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME anemora)
set(CPACK_PACKAGE_VENDOR "Anemora developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop monitor for one APRS weather station")
set(CPACK_PACKAGE_CONTACT "Anemora developers <dev@anemora.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
