# What `make install` and the Debian package (`make package`, CPack) put where:
# the executable, the program's own read-only files, the receiver's udev rule and
# the desktop integration. Included from the top-level CMakeLists.txt.

set(TAVELMO_ID org.tavelmo.Tavelmo)
set(TAVELMO_MANTENEDOR "Equipo de Tavelmo <tavelmo@example.org>"
    CACHE STRING "Maintainer named by the Debian package")
set(PAQUETE ${CMAKE_CURRENT_LIST_DIR})
set(GENERADOS ${CMAKE_BINARY_DIR}/paquete)

# The package's version comes from project(); its changelog must say the same.
file(STRINGS ${PAQUETE}/changelog TAVELMO_CAMBIOS LIMIT_COUNT 1)
if(NOT TAVELMO_CAMBIOS MATCHES "^tavelmo \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog does not start with version ${PROJECT_VERSION}")
endif()
# Its date dates the metainfo's release and the man page.
file(STRINGS ${PAQUETE}/changelog TAVELMO_FIRMA REGEX "^ -- ")
string(REGEX MATCH "([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+)" _ "${TAVELMO_FIRMA}")
set(_meses Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND _meses "${CMAKE_MATCH_2}" _mes)
math(EXPR _mes "${_mes} + 101")
math(EXPR _dia "${CMAKE_MATCH_1} + 100")
string(SUBSTRING ${_mes} 1 2 _mes)
string(SUBSTRING ${_dia} 1 2 _dia)
set(TAVELMO_FECHA_VERSION "${CMAKE_MATCH_3}-${_mes}-${_dia}")

configure_file(${PAQUETE}/${TAVELMO_ID}.metainfo.xml.in ${GENERADOS}/${TAVELMO_ID}.metainfo.xml
               @ONLY)
configure_file(${PAQUETE}/tavelmo.1.in ${GENERADOS}/tavelmo.1 @ONLY)

# Compressed as Debian wants: best compression, no name or time stamp inside.
find_program(GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${GENERADOS}/tavelmo.1.gz
    COMMAND ${GZIP} -9nc ${GENERADOS}/tavelmo.1 > ${GENERADOS}/tavelmo.1.gz
    DEPENDS ${GENERADOS}/tavelmo.1 ${PAQUETE}/tavelmo.1.in)
add_custom_command(OUTPUT ${GENERADOS}/changelog.gz
    COMMAND ${GZIP} -9nc ${PAQUETE}/changelog > ${GENERADOS}/changelog.gz
    DEPENDS ${PAQUETE}/changelog)
add_custom_command(OUTPUT ${GENERADOS}/iconos/256x256/apps/${TAVELMO_ID}.png
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:tavelmo-assets>
            --iconos ${GENERADOS}/iconos ${TAVELMO_ID}
    DEPENDS tavelmo-assets
    COMMENT "Dibujando el icono del escritorio")
add_custom_target(tavelmo_paquete ALL DEPENDS ${GENERADOS}/tavelmo.1.gz ${GENERADOS}/changelog.gz
                  ${GENERADOS}/iconos/256x256/apps/${TAVELMO_ID}.png)

install(TARGETS tavelmo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install also loses the compilers' notes, as Debian's own packages do.
find_program(OBJCOPY objcopy REQUIRED)
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND ${OBJCOPY} --remove-section=.comment
        \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tavelmo
        COMMAND_ERROR_IS_FATAL ANY)
endif()")
foreach(f wap.bin Anonimo.jpg Pregunta.jpg Bien.wav)
    install(FILES ${CMAKE_BINARY_DIR}/bin/${f} DESTINATION ${CMAKE_INSTALL_DATADIR}/tavelmo)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/sql/sqlserver/catalog.sql
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tavelmo/sqlserver)
# Where udev reads the rules that packages bring (/usr/lib/udev/rules.d).
install(FILES ${CMAKE_SOURCE_DIR}/scripts/udev/70-tavelmo-receptor.rules
        DESTINATION lib/udev/rules.d)
install(FILES ${PAQUETE}/${TAVELMO_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${GENERADOS}/${TAVELMO_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${GENERADOS}/iconos/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${GENERADOS}/tavelmo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PAQUETE}/copyright ${GENERADOS}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavelmo)
install(FILES ${PAQUETE}/tavelmo.lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME tavelmo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavelmo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TAVELMO_MANTENEDOR})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "exámenes teóricos de grupos de postulantes con controles remotos")
# The long description; CPack puts the summary before it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Programa de escritorio de una oficina que examina en teoría a postulantes, por
ejemplo a una licencia de conducir. Lleva grupos de examinados con su
fotografía, firma y huella, exámenes de selección múltiple con imágenes, asigna
a cada examinado un control remoto inalámbrico a través de un receptor USB,
toma el examen a todo el grupo a la vez y guarda los resultados en el catálogo
SQL Server de la oficina o en un catálogo local.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the executable links are found by dpkg-shlibdeps; the catalog
# drivers are plugins Qt loads at run time, and Qt's Spanish texts are data, which
# it cannot see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6sql6-odbc, qt6-translations-l10n")
# The SQL Server driver; an office may use another ODBC driver instead. The speech
# engine is a plugin Qt loads at run time (speech-dispatcher over espeak-ng has
# Spanish voices); without one the questions are simply not read aloud.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "tdsodbc, qt6-speech-speechd-plugin, speech-dispatcher, speech-dispatcher-espeak-ng")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PAQUETE}/postinst ${PAQUETE}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
