# frelane_test(<name> [BOTH_FILE_PATHS] SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable whose tests are registered with CTest one by one.
# Tests run with the build's testkit data available through FRELANE_TESTKIT_DIR.
# BOTH_FILE_PATHS registers every test a second time (suffix ".descriptors") with no file
# imaged, so that the readers go to the files themselves.
function(frelane_test name)
  cmake_parse_arguments(ARG "BOTH_FILE_PATHS" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT 300)
  if(ARG_BOTH_FILE_PATHS)
    target_sources(${name} PRIVATE $<TARGET_OBJECTS:frelane_image_limit_from_environment>)
    gtest_discover_tests(${name}
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
      DISCOVERY_TIMEOUT 60
      TEST_SUFFIX .descriptors
      PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT 300
                 ENVIRONMENT FRELANE_TEST_MAX_IMAGE_SIZE=0)
  endif()
endfunction()
