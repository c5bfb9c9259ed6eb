# cmake -DSOURCE_DIR=<repo> -DCLANG_FORMAT=<program> -P CheckFormat.cmake
# Fails, naming each file, when a C++ file of the repository is not formatted as the
# repository's .clang-format says.
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/host/*.cpp ${SOURCE_DIR}/host/*.h
  ${SOURCE_DIR}/vip/*.cpp ${SOURCE_DIR}/vip/*.h
  ${SOURCE_DIR}/devices/*.cpp ${SOURCE_DIR}/devices/*.h
  ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h
  ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/bench/*.h)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE complaints)
if(NOT result EQUAL 0)
  # Each complaint starts "<file>:<line>:<column>: error: code should be clang-formatted".
  string(REGEX MATCHALL "[^\n:]+:[0-9]+:[0-9]+: error" lines "${complaints}")
  set(unformatted)
  foreach(line ${lines})
    string(REGEX REPLACE ":[0-9]+:[0-9]+: error$" "" file "${line}")
    list(APPEND unformatted ${file})
  endforeach()
  list(REMOVE_DUPLICATES unformatted)
  list(JOIN unformatted "\n  " listed)
  message(FATAL_ERROR "Not formatted by .clang-format (run clang-format -i on them):\n  ${listed}")
endif()
list(LENGTH sources count)
message(STATUS "${count} files formatted as .clang-format says")
