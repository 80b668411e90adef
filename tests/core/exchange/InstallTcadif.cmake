# Installs the ADIF reader tcadif under PREFIX with npm, unless that version
# is already there.
#   cmake -DNPM=<npm> -DPREFIX=<folder> -DVERSION=<version> -P InstallTcadif.cmake
set(paquet ${PREFIX}/node_modules/tcadif/package.json)
if(EXISTS ${paquet})
  file(READ ${paquet} contenu)
  string(JSON installee GET "${contenu}" version)
  if(installee STREQUAL VERSION)
    return()
  endif()
endif()
execute_process(
  COMMAND ${NPM} install --prefix ${PREFIX} --no-audit --no-fund --no-save tcadif@${VERSION}
  RESULT_VARIABLE resultat)
if(NOT resultat EQUAL 0)
  message(FATAL_ERROR "npm could not install tcadif@${VERSION}")
endif()
