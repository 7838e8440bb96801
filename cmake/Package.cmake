# `cpack` in the build folder makes a Debian package of what Install.cmake
# installs (scripts/package does it all).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumentormgw)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "LumentorMGW maintainers <maintainers@lumentormgw.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "configuration tool for a BACnet/LonWorks to Lumentor mapped gateway")
# CPack puts the summary on the first line and indents the rest itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "LumentorMGW maps each point of a BACnet (750 points) or LonWorks
(350 points) network to a Lumentor lighting relay controller action, keeps
the map in map files, sends it to the gateway and reads it back over a
serial line, and lists it as CSV. mgw does the same from the command line,
for many gateways at a time; mgw-gatesim plays the gateway on a
pseudo-terminal for trying it out.")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

# The window asks for Liberation Sans, the widths its layout was drawn for.
# dpkg-shlibdeps (dpkg-dev) reads the libraries the programs link and adds
# their packages with versions; without it the Qt runtime is named by hand
# so the package never installs without what it needs.
find_program(MGW_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(MGW_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "fonts-liberation2, libqt6widgets6, libqt6serialport6, libqt6gui6, libqt6core6, libc6, libstdc++6")
endif()
# The xcb platform plugin comes with libqt6gui6; a Wayland session needs Qt's
# Wayland plugin, without which the program falls back on Xwayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

include(CPack)
