include(GoogleTest)

if(WIN32)
  if(NOT TARGET GTest::gtest_main)
    set(TAVIMO_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources for the MinGW build")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(${TAVIMO_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  endif()
else()
  find_package(GTest REQUIRED)
endif()

# tavimo_test(NAME SOURCES ... LIBS ... [LOCK]) adds a gtest executable and its
# cases. LOCK marks tests that use the clipboard, the desktop or the mouse:
# they share one resource lock so they never run at the same time.
function(tavimo_test name)
  cmake_parse_arguments(T "LOCK" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  tavimo_defaults(${name})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  set(props TIMEOUT 300)
  if(T_LOCK)
    list(APPEND props RESOURCE_LOCK desktop)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 300 PROPERTIES ${props})
endfunction()
