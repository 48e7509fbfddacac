# Build-time check of the boundaries between the library's areas (see QuarnelAreas.cmake).
#   cmake -DSOURCE_DIR=<tree> -DLIST=<file with one path a line> -DSTAMP=<file> -P CheckAreaBoundaries.cmake
# Fails when
# - an include names a path into another folder ("../gui/core/X.h", "ui/view/UIView.h"): an
#   area reaches only what its include path offers;
# - a file other than ui/shared/ControlClass.cpp registers or unregisters a window class
#   directly: the library's classes go through quarnel::RegisterWindowClass, which replaces a
#   class left behind by an earlier load. (AfxRegisterWndClass stays allowed: it is the
#   framework's class for its own windows, run by the framework's procedure.)
# - a file other than include/ui/shared/UIHandles.h calls SetWindowsHookEx, GetDC, GetDCEx,
#   GetWindowDC or CreateDC itself: hooks, window DCs and device DCs are taken through the
#   owners there (uih::HookThisThread, uih::WindowDC, uih::CreateDeviceDC), so that no path,
#   exceptions included, leaves one behind. Comments may name the calls.
file(STRINGS ${LIST} files)
set(problems)
set(registrar ${SOURCE_DIR}/ui/shared/ControlClass.cpp)
set(vocabulary ${SOURCE_DIR}/include/ui/shared/UIHandles.h)
set(raw_call "(^|[^A-Za-z0-9_])(SetWindowsHookEx[AW]?|GetDC|GetDCEx|GetWindowDC|CreateDC[AW]?)[ \t]*\\(")
foreach(f ${files})
  if(NOT EXISTS ${f})
    continue()
  endif()
  file(RELATIVE_PATH rel ${SOURCE_DIR} ${f})
  file(STRINGS ${f} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${includes})
    if(line MATCHES "#[ \t]*include[ \t]*([\"<])([^\">]*)[\">]")
      set(quoted "${CMAKE_MATCH_1}")
      set(target "${CMAKE_MATCH_2}")
      string(REPLACE "\\" "/" target "${target}")
      if(target MATCHES "(^|/)\\.\\.(/|$)" OR target MATCHES "^(ui|gui|edition|include|platform|picker)/"
         OR (quoted STREQUAL "\"" AND target MATCHES "/"))
        string(APPEND problems "\n  ${rel}: #include of \"${target}\" reaches into another folder; name the area in USES and include the header by its name")
      endif()
    endif()
  endforeach()
  if(NOT f STREQUAL registrar)
    file(STRINGS ${f} registrations REGEX "(^|[^A-Za-z_])(Afx)?(Un)?[Rr]egisterClass(Ex)?[AW]?[ \t]*\\(")
    foreach(line ${registrations})
      string(STRIP "${line}" line)
      string(APPEND problems "\n  ${rel}: registers a window class directly (${line}); use quarnel::RegisterWindowClass of ui/shared/ControlClass.h")
    endforeach()
  endif()
  if(NOT f STREQUAL vocabulary)
    file(STRINGS ${f} calls REGEX "${raw_call}")
    foreach(line ${calls})
      string(REGEX REPLACE "//.*$" "" code "${line}")
      if(code MATCHES "${raw_call}")
        string(STRIP "${line}" line)
        string(APPEND problems "\n  ${rel}: takes a hook or a DC raw (${line}); use the owners of ui/shared/UIHandles.h")
      endif()
    endforeach()
  endif()
endforeach()
if(problems)
  message(FATAL_ERROR "Area boundaries crossed:${problems}")
endif()
file(WRITE ${STAMP} "")
