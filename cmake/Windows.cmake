# The Windows programs, cross-built by scripts/windows against a static Qt:
# each a single program that needs only Windows' own DLLs, the window program
# without a console, both with the icon and the version in their resources.

# The icon, drawn from the SVG at the sizes Explorer asks for.
find_program(MGW_RSVG rsvg-convert REQUIRED)
find_program(MGW_CONVERT convert REQUIRED)
set(MGW_ICON ${PROJECT_BINARY_DIR}/windows/LumentorMGW.ico)
set(MGW_SVG ${PROJECT_SOURCE_DIR}/src/ui/LumentorMGW.svg)
set(icon_pngs)
foreach(size 256 48 32 16)
  set(png ${PROJECT_BINARY_DIR}/windows/icon-${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${MGW_RSVG} -w ${size} -h ${size} ${MGW_SVG} -o ${png}
    DEPENDS ${MGW_SVG} VERBATIM)
  list(APPEND icon_pngs ${png})
endforeach()
add_custom_command(OUTPUT ${MGW_ICON} COMMAND ${MGW_CONVERT} ${icon_pngs} ${MGW_ICON} DEPENDS ${icon_pngs} VERBATIM)
add_custom_target(mgw_icon DEPENDS ${MGW_ICON})

# mgw_windows_program(TARGET DESCRIPTION): resources and static linking.
function(mgw_windows_program target description)
  set(MGW_RC_PROGRAM ${target})
  set(MGW_RC_DESCRIPTION ${description})
  set(MGW_RC_ICON ${MGW_ICON})
  set(rc ${PROJECT_BINARY_DIR}/windows/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/data/windows/program.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${MGW_ICON})
  target_sources(${target} PRIVATE ${rc})
  add_dependencies(${target} mgw_icon)
  target_link_options(${target} PRIVATE -static -s)
endfunction()

if(TARGET LumentorMGW)
  mgw_windows_program(LumentorMGW "LumentorMGW, the mapped lighting gateway's configuration")
  set_target_properties(LumentorMGW PROPERTIES WIN32_EXECUTABLE ON)
  # A static Qt has its platform and the native style linked in, not loaded.
  foreach(plugin QWindowsIntegrationPlugin QWindowsVistaStylePlugin)
    if(TARGET Qt6::${plugin})
      qt_import_plugins(LumentorMGW INCLUDE Qt6::${plugin})
    endif()
  endforeach()
endif()
mgw_windows_program(mgw "mgw, the mapped lighting gateway from the command line")

# GoogleTest from Debian's own source, for the tests scripts/windows-test
# runs under Wine: the link tests over Wine's COM ports (windows/LinkTests.cmake)
# and, where the Qt has widgets, the suite's tests that need neither the
# simulator nor POSIX calls.
if(EXISTS /usr/src/googletest/CMakeLists.txt)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(${CMAKE_CURRENT_LIST_DIR}/windows/LinkTests.cmake)
endif()
if(EXISTS /usr/src/googletest/CMakeLists.txt AND TARGET Qt6::Widgets)
  file(GLOB export_tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/export/*.cpp)
  add_executable(test_windows ${PROJECT_SOURCE_DIR}/tests/common/test_main.cpp
    ${PROJECT_SOURCE_DIR}/tests/image/ImageTest.cpp ${export_tests})
  target_include_directories(test_windows PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(test_windows PRIVATE mgwcore Qt6::Widgets gtest)
  target_link_options(test_windows PRIVATE -static)
  if(TARGET Qt6::QOffscreenIntegrationPlugin)
    qt_import_plugins(test_windows INCLUDE Qt6::QOffscreenIntegrationPlugin)
  endif()
  set_target_properties(test_windows PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
endif()
