# Shared build rules for every folder of the project.
#
# molan_module(<name>
#   CORE      portable sources (no <windows.h>), built by both toolchains -> library <name>
#   NATIVE    sources added to <name> in the native build only (POSIX stand-ins of Win32 pieces)
#   WIN       Win32 sources, built only by the MinGW toolchain -> library <name>_win
#   DEPS      other modules' core libraries this one uses
#   WIN_DEPS  other modules' Win32 libraries (or system libraries) the Win32 part uses
#   TESTS     native GoogleTest files -> <name>_tests, registered with ctest
#   WINTESTS  Win32 GoogleTest files -> <name>_wintests.exe, run under Wine by ctest)
include_guard(GLOBAL)

function(molan_module name)
  cmake_parse_arguments(M "" "" "CORE;NATIVE;WIN;DEPS;WIN_DEPS;TESTS;WINTESTS" ${ARGN})
  if(NOT WIN32)
    list(APPEND M_CORE ${M_NATIVE})
  endif()
  if(M_CORE)
    add_library(${name} STATIC ${M_CORE})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
    target_link_libraries(${name} PUBLIC ${M_DEPS})
  endif()
  if(WIN32 AND M_WIN)
    add_library(${name}_win STATIC ${M_WIN})
    target_include_directories(${name}_win PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
    if(M_CORE)
      target_link_libraries(${name}_win PUBLIC ${name})
    endif()
    target_link_libraries(${name}_win PUBLIC ${M_DEPS} ${M_WIN_DEPS})
  endif()
  if(NOT WIN32 AND M_TESTS)
    add_executable(${name}_tests ${M_TESTS})
    target_link_libraries(${name}_tests PRIVATE ${name} ${M_DEPS} GTest::gmock GTest::gtest_main)
    add_test(NAME ${name}_tests COMMAND ${name}_tests)
  endif()
  if(WIN32 AND M_WINTESTS)
    add_executable(${name}_wintests ${M_WINTESTS})
    target_link_libraries(${name}_wintests PRIVATE ${name}_win gmock gtest_main)
    target_link_options(${name}_wintests PRIVATE -mconsole)
    add_test(NAME ${name}_wintests COMMAND ${name}_wintests)
    set_tests_properties(${name}_wintests PROPERTIES TIMEOUT 300)
  endif()
endfunction()
