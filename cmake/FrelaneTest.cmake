# frelane_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable whose tests are registered with CTest one by one.
# Tests run with the build's testkit data available through FRELANE_TESTKIT_DIR.
function(frelane_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT 300)
endfunction()
