# Where `cmake --install` and the Debian package put the program: the three
# commands with their manual pages, and the desktop entry, AppStream metainfo
# and icons, all three named by the one application id.
include(GNUInstallDirs)

set(MGW_APP_ID org.lumentormgw.LumentorMGW)

# mgw_install_gzipped(FILE DESTINATION): installs FILE compressed, as Debian
# keeps manual pages and change logs; a change to FILE configures again.
function(mgw_install_gzipped file destination)
  get_filename_component(name ${file} NAME)
  set(gz ${PROJECT_BINARY_DIR}/gz/${name}.gz)
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/gz)
  execute_process(COMMAND gzip -9nc INPUT_FILE ${file} OUTPUT_FILE ${gz} COMMAND_ERROR_IS_FATAL ANY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  install(FILES ${gz} DESTINATION ${destination})
endfunction()

# Each program with its manual page, and mgw's commands that have a page of their own.
foreach(program LumentorMGW mgw mgw-gatesim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    mgw_install_gzipped(${PROJECT_SOURCE_DIR}/data/man/${program}.1 ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()
if(TARGET mgw)
  mgw_install_gzipped(${PROJECT_SOURCE_DIR}/data/man/mgw-import.1 ${CMAKE_INSTALL_MANDIR}/man1)
  mgw_install_gzipped(${PROJECT_SOURCE_DIR}/data/man/mgw-probe.1 ${CMAKE_INSTALL_MANDIR}/man1)
  mgw_install_gzipped(${PROJECT_SOURCE_DIR}/data/man/mgw-record.1 ${CMAKE_INSTALL_MANDIR}/man1)
  # mgw --json's schema, the stable interface scripts check against.
  install(FILES ${PROJECT_SOURCE_DIR}/data/mgw-result.schema.json DESTINATION ${CMAKE_INSTALL_DATADIR}/lumentormgw)
endif()

# The capture's dissector where Wireshark looks for the system's Lua plugins:
# Debian's multiarch library folder, whatever the install prefix.
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(MGW_WIRESHARK_PLUGINS lib/${CMAKE_LIBRARY_ARCHITECTURE}/wireshark/plugins)
else()
  set(MGW_WIRESHARK_PLUGINS ${CMAKE_INSTALL_LIBDIR}/wireshark/plugins)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/data/wireshark/lumentor-mgw.lua DESTINATION ${MGW_WIRESHARK_PLUGINS})
install(FILES ${PROJECT_SOURCE_DIR}/data/${MGW_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/${MGW_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${MGW_ICON_SIZES})
  install(FILES ${MGW_ICON_DIR}/LumentorMGW-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${MGW_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/src/ui/LumentorMGW.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${MGW_APP_ID}.svg)
# The licence (machine-readable form) and the change log, where Debian keeps
# every package's.
install(FILES ${PROJECT_SOURCE_DIR}/data/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumentormgw)
mgw_install_gzipped(${PROJECT_SOURCE_DIR}/data/changelog ${CMAKE_INSTALL_DATADIR}/doc/lumentormgw)
