# The installed program for everyone on the computer, and its Debian package
# (scripts/package). The program folder goes to lib/rqn-kzt, with a marker
# that sends each user's logs to their own data folder (see
# src/core/app/DossierProgramme.h), a link in bin, the menu entry, the icon and
# the Debian copyright file.
# scripts/run does not use these rules: it installs a portable folder.
set(KZT_INSTALL_DIR lib/rqn-kzt)

install(TARGETS RQN_KZT RUNTIME DESTINATION ${KZT_INSTALL_DIR})
if(TARGET kzt_web)
  install(TARGETS kzt_web LIBRARY DESTINATION ${KZT_INSTALL_DIR})
endif()
install(FILES assets/FXXXX.txt assets/Liste_Prenom.txt DESTINATION ${KZT_INSTALL_DIR})
file(WRITE ${CMAKE_BINARY_DIR}/installation/${KZT_MARQUE_SYSTEME}
     "Installed for every user: each user's logs live in ~/.local/share/RQN_KZT.\n")
install(FILES ${CMAKE_BINARY_DIR}/installation/${KZT_MARQUE_SYSTEME}
        DESTINATION ${KZT_INSTALL_DIR})

file(CREATE_LINK ../${KZT_INSTALL_DIR}/RQN_KZT ${CMAKE_BINARY_DIR}/installation/RQN_KZT SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/installation/RQN_KZT DESTINATION bin)

set(KZT_EXEC RQN_KZT)
configure_file(assets/rqn-kzt.desktop.in ${CMAKE_BINARY_DIR}/installation/rqn-kzt.desktop @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/installation/rqn-kzt.desktop DESTINATION share/applications)
install(FILES assets/icone/rqn-kzt.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(taille 48 256)
  install(FILES assets/icone/rqn-kzt-${taille}.png
          DESTINATION share/icons/hicolor/${taille}x${taille}/apps RENAME rqn-kzt.png)
endforeach()
install(FILES assets/debian/copyright DESTINATION share/doc/rqn-kzt)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rqn-kzt)
set(CPACK_PACKAGE_VENDOR "RQN_KZT")
set(CPACK_PACKAGE_CONTACT "RQN_KZT maintainers <maintainers@users.noreply.c-seed-c9bd3b18.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Logbook of the KZT award (windmills of France)")
# CPack puts the summary first.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "RQN_KZT keeps one text log per station callsign of the contacts with\n"
    "stations operating from windmills in the departments of France, shows the\n"
    "award's progress per band group, prints lists and QSL-card backs and\n"
    "exports ADIF. French interface. Each user's logs live in\n"
    "~/.local/share/RQN_KZT.")
string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The printer font "Courier New" resolves to Liberation Mono; Qt's own dialogs
# speak French with Qt's translations. hamlib is opened at run time when a
# radio is set, so that no shared library dependency names it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, libhamlib4")
set(CPACK_STRIP_FILES ON)
include(CPack)
