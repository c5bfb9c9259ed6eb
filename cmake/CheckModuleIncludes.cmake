# The module's layering, checked on every build of libvip.so:
#   vip/ includes nothing of the host but host/sdk/;
#   vip/base includes nothing of the frame or the areas, which all build on it;
#   vip/frame (the unit list and the store pickers) includes no area;
#   an area (members, cardtypes, ...) includes nothing of vip/frame.
# Every refused include is listed with its file; any refusal fails the build.
#
#   cmake -DROOT=<source tree holding vip/> -P CheckModuleIncludes.cmake
if(NOT DEFINED ROOT)
  message(FATAL_ERROR "CheckModuleIncludes: pass -DROOT=<source tree holding vip/>")
endif()

file(GLOB_RECURSE files RELATIVE "${ROOT}" "${ROOT}/vip/*.h" "${ROOT}/vip/*.cpp")
list(SORT files)
set(refusals "")
foreach(file IN LISTS files)
  string(REGEX MATCH "^vip/([^/]+)/" unused "${file}")
  set(folder "${CMAKE_MATCH_1}")
  file(STRINGS "${ROOT}/${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "[<\"]([^>\"]+)[>\"]" unused "${line}")
    set(included "${CMAKE_MATCH_1}")
    set(reason "")
    if(included MATCHES "^host/" AND NOT included MATCHES "^host/sdk/")
      set(reason "the module includes nothing of the host but host/sdk/")
    elseif(included MATCHES "^vip/([^/]+)/")
      set(target "${CMAKE_MATCH_1}")
      if(folder STREQUAL "base" AND NOT target STREQUAL "base")
        set(reason "vip/base lies below the frame and every area")
      elseif(folder STREQUAL "frame" AND NOT target MATCHES "^(frame|base)$")
        set(reason "the frame includes no area")
      elseif(NOT folder MATCHES "^(frame|base)$" AND target STREQUAL "frame")
        set(reason "an area includes nothing of the frame")
      endif()
    endif()
    if(reason)
      string(APPEND refusals "\n  ${file}: #include \"${included}\" (${reason})")
    endif()
  endforeach()
endforeach()

if(refusals)
  message(FATAL_ERROR "The module includes past its layers:${refusals}")
endif()
