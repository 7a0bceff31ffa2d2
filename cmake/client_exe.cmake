# MoLan.exe (the shipped client) and MoLanTest.exe (the same client built for
# the end-to-end tests: test port, short poll units). Both are made from the
# same libraries; only their build-settings file differs.
include_guard(GLOBAL)
if(NOT WIN32)
  return()
endif()
if(NOT TARGET HPSocket4C)
  message(WARNING "HPSocket4C is not built here: no client executables")
  return()
endif()

string(REPLACE "." "," MOLAN_VERSION_COMMAS "${MOLAN_VERSION}")
set(MOLAN_NETLIB_PATH "$<TARGET_FILE:HPSocket4C>")
if(TARGET molan_icon)
  set(MOLAN_ICON_LINE "1 ICON \"${PROJECT_BINARY_DIR}/generated/molan.ico\"")
else()
  set(MOLAN_ICON_LINE "")
endif()
configure_file(${PROJECT_SOURCE_DIR}/app/molan.rc.in ${PROJECT_BINARY_DIR}/generated/molan.rc.in @ONLY)
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/generated/molan.rc INPUT ${PROJECT_BINARY_DIR}/generated/molan.rc.in)

set(_client_libs)
foreach(lib molan_app_win molan_shell_win molan_recognition_win molan_account_win molan_info_win
            molan_link_win molan_winbase_win molan_app molan_recognition molan_account molan_shell molan_info molan_link)
  if(TARGET ${lib})
    list(APPEND _client_libs ${lib})
  endif()
endforeach()

foreach(exe MoLan MoLanTest)
  if(exe STREQUAL "MoLan")
    set(_settings ${PROJECT_SOURCE_DIR}/app/build_settings_shipped.cc)
  else()
    set(_settings ${PROJECT_SOURCE_DIR}/app/build_settings_test.cc)
  endif()
  add_executable(${exe} WIN32 ${PROJECT_SOURCE_DIR}/app/main_win.cc ${_settings} ${PROJECT_BINARY_DIR}/generated/molan.rc)
  target_include_directories(${exe} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
  target_link_options(${exe} PRIVATE -municode)
  target_link_libraries(${exe} PRIVATE -Wl,--start-group ${_client_libs} -Wl,--end-group
                        gdiplus comctl32 ole32 oleaut32 uuid shlwapi shell32 iphlpapi advapi32 crypt32 ws2_32 msimg32 uxtheme)
  add_dependencies(${exe} HPSocket4C)
  if(TARGET molan_icon)
    add_dependencies(${exe} molan_icon)
  endif()
  # The resource script embeds the DLL: rebuild it when the DLL changes.
  set_source_files_properties(${PROJECT_BINARY_DIR}/generated/molan.rc PROPERTIES
    OBJECT_DEPENDS "${PROJECT_BINARY_DIR}/netlib/HPSocket4C.dll")
endforeach()
