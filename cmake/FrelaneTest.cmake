# frelane_test(<name> [OTHER_LOCALES] SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable whose tests are registered with CTest one by one.
# Tests run with the build's testkit data available through FRELANE_TESTKIT_DIR.
# OTHER_LOCALES registers them twice more, under a Turkish UTF-8 and a single-byte Latin
# locale taken from the environment (suffixes ".tr_TR.UTF-8" and ".de_DE.ISO-8859-1").
function(frelane_test name)
  cmake_parse_arguments(ARG "OTHER_LOCALES" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 300)
  if(ARG_OTHER_LOCALES)
    target_sources(${name} PRIVATE $<TARGET_OBJECTS:frelane_locale_from_environment>)
    foreach(test_locale tr_TR.UTF-8 de_DE.ISO-8859-1)
      gtest_discover_tests(${name}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        DISCOVERY_TIMEOUT 60
        TEST_SUFFIX .${test_locale}
        PROPERTIES LABELS locale TIMEOUT 300
                   ENVIRONMENT FRELANE_TEST_LOCALE=${test_locale})
    endforeach()
  endif()
endfunction()

# frelane_qt_test(<name> SOURCES <files...> LIBS <targets...> [DEPENDS <targets...>]
#                 [SAMPLE_DIR <dir>])
# One GoogleTest executable of real Qt windows, run on the offscreen platform, with the
# shared Qt test environment linked in. SAMPLE_DIR is handed to the tests as
# FRELANE_SAMPLE_DIR; DEPENDS names what must be built before they run.
function(frelane_qt_test name)
  cmake_parse_arguments(ARG "" "SAMPLE_DIR" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES}
    ${PROJECT_SOURCE_DIR}/platform/qt/tests/qt_test_environment.cc)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test GTest::gtest GTest::gtest_main)
  if(ARG_DEPENDS)
    add_dependencies(${name} ${ARG_DEPENDS})
  endif()
  if(DEFINED ARG_SAMPLE_DIR)
    target_compile_definitions(${name} PRIVATE FRELANE_SAMPLE_DIR="${ARG_SAMPLE_DIR}")
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "qt" TIMEOUT 300 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
