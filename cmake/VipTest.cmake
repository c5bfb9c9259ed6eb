# vip_add_test(<name> SOURCES <files...> [LIBS <targets...>] [NO_DATABASE])
# Builds one Qt Test executable and registers it with CTest once per backend:
# <name>_sqlite always, <name>_pg when VIP_TEST_PG_URI names a PostgreSQL server.
# A test that opens no database runs once, as <name>.
set(VIP_TEST_PG_URI "$ENV{VIP_TEST_PG_URI}" CACHE STRING "PostgreSQL URI for the test suite (empty: SQLite only)")

function(vip_add_test name)
  cmake_parse_arguments(ARG "NO_DATABASE" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE vipsupport Qt6::Test ${ARG_LIBS})
  # Row builders take designated initializers naming only what a test varies.
  target_compile_options(${name} PRIVATE -Wno-missing-field-initializers)
  # Windows remember their layout in the user's settings; each test keeps its own,
  # so no run reads what an earlier one or the user left there.
  set(common_env "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;QT_LOGGING_RULES=qt.qpa.*=false;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-settings/${name}")
  if(ARG_NO_DATABASE)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${common_env}" TIMEOUT 600)
    return()
  endif()
  add_test(NAME ${name}_sqlite COMMAND ${name})
  set_tests_properties(${name}_sqlite PROPERTIES ENVIRONMENT "${common_env};VIP_TEST_BACKEND=sqlite" TIMEOUT 600)
  if(VIP_TEST_PG_URI)
    add_test(NAME ${name}_pg COMMAND ${name})
    set_tests_properties(${name}_pg PROPERTIES
      ENVIRONMENT "${common_env};VIP_TEST_BACKEND=postgres;VIP_TEST_PG_URI=${VIP_TEST_PG_URI}" TIMEOUT 600)
  endif()
endfunction()
