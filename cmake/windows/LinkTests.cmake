# test_link_windows: the link tests that run on Windows too, and the Win32
# serial line's own, over Wine's COM ports to the simulator (scripts/windows-test
# maps COM1 to it). QtCore alone, so a Core-only static Qt builds them.
# tests/wine comes first: its GatewayTest.h is this build's fixture.
file(GLOB wine_tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/wine/*.cpp)
add_executable(test_link_windows ${wine_tests}
  ${PROJECT_SOURCE_DIR}/tests/link/ProtocolTest.cpp
  ${PROJECT_SOURCE_DIR}/tests/link/VerifyBankTest.cpp
  ${PROJECT_SOURCE_DIR}/tools/gatesim/Codec.cpp)
target_include_directories(test_link_windows PRIVATE
  ${PROJECT_SOURCE_DIR}/tests/wine ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/tools)
target_link_libraries(test_link_windows PRIVATE mgwcore gtest)
target_link_options(test_link_windows PRIVATE -static)
set_target_properties(test_link_windows PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
