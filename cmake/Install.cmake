# Where `cmake --install` and the Debian package put the program: the three
# commands, and the desktop entry, AppStream metainfo and icons, all three
# named by the one application id.
include(GNUInstallDirs)

set(MGW_APP_ID org.lumentormgw.LumentorMGW)

foreach(program LumentorMGW mgw mgw-gatesim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/data/${MGW_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/${MGW_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/src/ui/LumentorMGW.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
        RENAME ${MGW_APP_ID}.png)
install(FILES ${PROJECT_SOURCE_DIR}/src/ui/LumentorMGW.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${MGW_APP_ID}.svg)
# The licence (machine-readable form) and the change log, compressed, where
# Debian keeps every package's.
set(MGW_CHANGELOG_GZ ${PROJECT_BINARY_DIR}/changelog.gz)
execute_process(COMMAND gzip -9nc INPUT_FILE ${PROJECT_SOURCE_DIR}/data/changelog
                OUTPUT_FILE ${MGW_CHANGELOG_GZ} COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/changelog)
install(FILES ${PROJECT_SOURCE_DIR}/data/copyright ${MGW_CHANGELOG_GZ}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumentormgw)

# A manual page for each program, compressed as Debian keeps them.
foreach(program LumentorMGW mgw mgw-gatesim)
  if(TARGET ${program})
    set(page ${PROJECT_BINARY_DIR}/man/${program}.1.gz)
    file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/man)
    execute_process(COMMAND gzip -9nc INPUT_FILE ${PROJECT_SOURCE_DIR}/data/man/${program}.1
                    OUTPUT_FILE ${page} COMMAND_ERROR_IS_FATAL ANY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/man/${program}.1)
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()
