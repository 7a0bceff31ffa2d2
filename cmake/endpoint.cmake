# Turns the configured server endpoint into the hex-list cipher texts the client
# holds. A small host program (built here with the host compiler, whatever the
# target toolchain) applies the link cipher, so the plain host text never
# reaches a source file or the executable.
include_guard(GLOBAL)

set(_tool ${PROJECT_BINARY_DIR}/host-tools/molan-hexlist)
set(_srcs ${PROJECT_SOURCE_DIR}/tools/hexlist/hexlist_main.cc ${PROJECT_SOURCE_DIR}/link/link_cipher.cc)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_srcs})
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/host-tools ${PROJECT_BINARY_DIR}/generated/molan)
execute_process(
  COMMAND c++ -std=c++20 -O1 -I${PROJECT_SOURCE_DIR} ${_srcs} -o ${_tool}
  RESULT_VARIABLE _rc ERROR_VARIABLE _err)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "cannot build the host hex-list tool: ${_err}")
endif()
execute_process(
  COMMAND ${_tool} ${MOLAN_SERVER_HOST} ${MOLAN_SERVER_PORT} ${MOLAN_TEST_SERVER_PORT}
  OUTPUT_VARIABLE _out RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "the host hex-list tool failed")
endif()
string(REPLACE "\n" ";" _lines "${_out}")
list(GET _lines 0 MOLAN_HOST_HEXLIST)
list(GET _lines 1 MOLAN_PORT_HEXLIST)
list(GET _lines 2 MOLAN_TEST_PORT_HEXLIST)
configure_file(${PROJECT_SOURCE_DIR}/cmake/endpoint_cipher.h.in
               ${PROJECT_BINARY_DIR}/generated/molan/endpoint_cipher.h @ONLY)
