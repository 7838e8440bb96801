# Where `cmake --install` and the Debian package put the program: the two
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
