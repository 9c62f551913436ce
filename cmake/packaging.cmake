# SPDX-FileCopyrightText: 2026 Anemora developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installed layout: the program and the files it reads beside it live in
# lib/anemora (it looks for its sounds and instructions next to the
# executable), with a launcher link in bin and desktop integration in share.
include(GNUInstallDirs)

set(ANEMORA_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/anemora)
set(ANEMORA_APPSTREAM_ID invalid.anemora.Anemora)
set(ANEMORA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/anemora)

# A stripped install keeps the compiler's notes unless asked not to.
function(anemora_install_program target destination)
  install(TARGETS ${target} RUNTIME DESTINATION ${destination})
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}/${target}\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()
  ")
endfunction()

anemora_install_program(anemora ${ANEMORA_INSTALL_DIR})
# The service reads nothing beside itself: its files are in the folders
# systemd gives it.
anemora_install_program(anemorad ${CMAKE_INSTALL_BINDIR})
install(FILES
  ${PROJECT_SOURCE_DIR}/resources/Alarm.wav
  ${PROJECT_SOURCE_DIR}/resources/NewData.wav
  ${PROJECT_SOURCE_DIR}/resources/Leggimi.rtf
  ${PROJECT_SOURCE_DIR}/resources/Readme.rtf
  ${PROJECT_SOURCE_DIR}/resources/Aprserve.txt
  DESTINATION ${ANEMORA_INSTALL_DIR})
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(CREATE_LINK ../${ANEMORA_INSTALL_DIR}/anemora
       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/anemora\" SYMBOLIC)
")
install(FILES ${PROJECT_SOURCE_DIR}/resources/anemora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/anemora.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/anemora.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME ${ANEMORA_APPSTREAM_ID}.metainfo.xml)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${ANEMORA_DOC_DIR})

# The service: its unit, installed but not enabled (no maintainer script
# starts it), and the settings to copy into /etc/anemora to begin with.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/anemorad.service
        DESTINATION lib/systemd/system)
install(FILES
  ${PROJECT_SOURCE_DIR}/packaging/etc-anemora/Params.ini
  ${PROJECT_SOURCE_DIR}/packaging/etc-anemora/WxAlarms.ini
  ${PROJECT_SOURCE_DIR}/packaging/etc-anemora/Anemora.ini
  ${PROJECT_SOURCE_DIR}/resources/Aprserve.txt
  DESTINATION ${ANEMORA_DOC_DIR}/examples/etc-anemora)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME anemora)

# Debian wants the manual page and changelog compressed, without a time stamp
# in the gzip header so that rebuilds give the same bytes.
set(ANEMORA_GZIPPED)
foreach(source anemora.1 anemorad.8 changelog)
  set(gzipped ${CMAKE_CURRENT_BINARY_DIR}/packaging/${source}.gz)
  add_custom_command(
    OUTPUT ${gzipped}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/${source} > ${gzipped}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${source}
    VERBATIM)
  list(APPEND ANEMORA_GZIPPED ${gzipped})
endforeach()
add_custom_target(anemora_packaging_docs ALL DEPENDS ${ANEMORA_GZIPPED})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/anemora.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/anemorad.8.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man8)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz DESTINATION ${ANEMORA_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME anemora)
set(CPACK_PACKAGE_VENDOR "Anemora developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop monitor for one APRS weather station")
set(CPACK_PACKAGE_DESCRIPTION
  "Anemora follows one amateur-radio weather station that reports over APRS.
It takes the station's packets from a packet-radio engine over the AGWPE
TCP interface (such as direwolf) and/or from an APRS-IS server, decodes its
weather reports and shows them in one small window: wind direction on a
compass with mean wind and gust, temperature, humidity and pressure with
their trends, rain, wind chill, dew point and absolute humidity.

A reading turns red, and a sound plays, when it crosses one of ten alarm
thresholds. The window can wait in the notification area and come back by
itself when a report or an alarm arrives.")
set(CPACK_PACKAGE_CONTACT "Anemora developers <dev@anemora.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Shared-library scanning cannot see Qt's platform plugin, without which the
# window cannot open, nor libmosquitto, loaded once publishing is turned on;
# the Wayland plugin lets it run natively on a Wayland
# desktop rather than through XWayland, the fonts give the faces the window
# was laid out for, and the certificate authorities check a broker reached
# over TLS.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libmosquitto1 (>= 2.0)")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, fonts-liberation, ca-certificates")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
