# przecena_portable_test(name sources...): a unit test of reprice/ against the
# stand-in's services, linked directly (no DLL), from the same sources in both
# builds: natively with the sanitizers, and for Win32 as a program run under Wine,
# so that the DLL's runtime (msvcrt) is tested too.
include_guard(GLOBAL)

function(przecena_portable_test name)
  if(NOT PRZECENA_WIN32)
    przecena_native_test(${name} ${ARGN})
    return()
  endif()
  add_executable(${name} ${ARGN})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE reprice hostsim GTest::gtest_main GTest::gmock)
  target_link_options(${name} PRIVATE -static)
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}.work)
  file(MAKE_DIRECTORY ${work})
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${work})
endfunction()
