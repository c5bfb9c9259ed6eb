# The build's include check (cmake/CheckModuleIncludes.cmake) on small trees made
# here, one rule broken in each, and on the real source tree.
#
#   cmake -DSCRIPT=<check script> -DSOURCE=<source tree> -DWORK=<scratch folder> -P tst_ModuleIncludes.cmake
set(failures "")

# Runs the check on ROOT; sets 'code' and 'output' in the caller.
macro(run_check root)
  execute_process(COMMAND "${CMAKE_COMMAND}" "-DROOT=${root}" -P "${SCRIPT}"
                  RESULT_VARIABLE code OUTPUT_VARIABLE output ERROR_VARIABLE output)
endmacro()

# A tree of one-line files: pairs of path and line after the case's name. A
# refusal names the first file and its include in its message.
function(expect_refused name)
  set(root "${WORK}/${name}")
  file(REMOVE_RECURSE "${root}")
  set(pairs ${ARGN})
  list(GET pairs 0 bad_file)
  list(GET pairs 1 bad_line)
  while(pairs)
    list(POP_FRONT pairs path line)
    file(WRITE "${root}/${path}" "${line}\n")
  endwhile()
  run_check("${root}")
  string(REGEX REPLACE "^[ \t]*#[ \t]*" "#" shown "${bad_line}")
  string(REPLACE "<" "\"" shown "${shown}")
  string(REPLACE ">" "\"" shown "${shown}")
  string(FIND "${output}" "${bad_file}: ${shown}" at)
  if(code EQUAL 0 OR at EQUAL -1)
    set(failures "${failures}\n${name}: expected a refusal naming ${bad_file}, got (${code}):\n${output}" PARENT_SCOPE)
  endif()
endfunction()

function(expect_accepted name root)
  run_check("${root}")
  if(NOT code EQUAL 0)
    set(failures "${failures}\n${name}: expected no refusal, got:\n${output}" PARENT_SCOPE)
  endif()
endfunction()

expect_refused(area-reaches-data-layer
  vip/cardtypes/Writer.cpp [[#include "host/data/Database.h"]]
  vip/cardtypes/Writer.h [[#include "host/sdk/DataModule.h"]])
expect_refused(angle-brackets-count-too
  vip/members/Editor.cpp [[  #  include <host/ui/DeskMainWindow.h>]])
expect_refused(frame-includes-area
  vip/frame/PackageEntry.cpp [[#include "vip/cardtypes/TVipCardType.h"]])
expect_refused(area-includes-frame
  vip/coupons/CouponWindows.cpp [[#include "vip/frame/PackageUnit.h"]])
expect_refused(base-includes-area
  vip/base/ModuleGlobals.cpp [[#include "vip/devices/TFunCard.h"]])

set(allowed "${WORK}/allowed")
file(REMOVE_RECURSE "${allowed}")
file(WRITE "${allowed}/vip/cardtypes/Lists.cpp" [[
#include "host/sdk/ui/TBaseQuery.h"
#include "vip/base/RegistrationRows.h"
#include "vip/members/MemberRecord.h"
#include <QString>
// #include "host/data/Database.h" was needed before the data module moved to host/sdk
]])
file(WRITE "${allowed}/vip/frame/PackageEntry.cpp" [[
#include "vip/base/UnitCatalogue.h"
#include "vip/frame/PackageUnit.h"
]])
file(WRITE "${allowed}/vip/base/UnitCatalogue.cpp" [[
#include "host/sdk/ModuleRegistry.h"
#include "vip/base/UnitCatalogue.h"
]])
expect_accepted(allowed "${allowed}")
expect_accepted(source-tree "${SOURCE}")

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
