# Test support: GoogleTest built with the cross compiler, Wine as the
# emulator that runs the x86_64 test programs, and checks run on the host.

# GoogleTest from Debian's sources (package googletest).
set(HUE_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${HUE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# Only the x86_64 build runs under Wine here (this machine cannot execute
# 32-bit code); the i686 test programs are compiled and linked, not run.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(HUE_RUN_WINE_TESTS ON)
else()
  set(HUE_RUN_WINE_TESTS OFF)
endif()

if(HUE_RUN_WINE_TESTS)
  find_program(HUE_WINE64 wine64 PATHS /usr/lib/wine /usr/lib64/wine NO_DEFAULT_PATH)
  if(NOT HUE_WINE64)
    find_program(HUE_WINE64 wine64 REQUIRED)
  endif()
  # The prefix is made once per test run by scripts/wine-prefix.sh.
  set(HUE_WINEPREFIX ${CMAKE_BINARY_DIR}/../wineprefix CACHE PATH "Wine prefix of the test run")
  get_filename_component(HUE_WINEPREFIX ${HUE_WINEPREFIX} ABSOLUTE)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY)
  set(CMAKE_CROSSCOMPILING_EMULATOR sh ${CMAKE_BINARY_DIR}/wine-run.sh)
endif()

# Seconds after which a hung test program is stopped and fails.
set(HUE_TEST_TIMEOUT 120 CACHE STRING "Timeout of one test in seconds")

# Registers a GoogleTest program: each test case becomes one CTest test, run
# in a process of its own through Wine.
function(hue_add_gtest target)
  target_link_libraries(${target} PRIVATE hue_test_main gtest hue_build_options)
  if(HUE_RUN_WINE_TESTS)
    gtest_discover_tests(${target}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT ${HUE_TEST_TIMEOUT})
  endif()
endfunction()

# Checks that run on the host, in both builds.
add_test(NAME host.imports
  COMMAND bash ${CMAKE_SOURCE_DIR}/cmake/check-imports.sh ${CMAKE_OBJDUMP} ${CMAKE_BINARY_DIR}/bin
          ${HUE_ALLOWED_RUNTIME_DLLS})
if(HUE_RUN_WINE_TESTS)
  add_test(NAME host.format COMMAND bash ${CMAKE_SOURCE_DIR}/cmake/check-format.sh ${CMAKE_SOURCE_DIR})
endif()
