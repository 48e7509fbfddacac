# Build helpers shared by every module of the tree.

# Our own code: all warnings, and warnings are errors.
function(quarnel_strict target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror
    $<$<COMPILE_LANGUAGE:CXX>:-Wno-invalid-offsetof>)
endfunction()

# quarnel_debug_info(<target>...): debug information in these targets whatever
# QUARNEL_DEBUG_INFO says (programs whose tests read their own call stacks' files and lines).
# They parse their headers themselves: a precompiled header made without debug information
# would leave those declarations without it.
function(quarnel_debug_info)
  foreach(t ${ARGN})
    target_compile_options(${t} PRIVATE -gdwarf-4)
    set_target_properties(${t} PROPERTIES DISABLE_PRECOMPILE_HEADERS ON)
  endforeach()
endfunction()

# quarnel_pch(<target> <header>...): <target>, a target of its own that builds nothing else,
# precompiles the given headers (C++ units only); others reuse them with quarnel_reuse_pch.
# A unit whose flags do not fit the precompiled header fails (-Winvalid-pch) rather than
# parsing the headers again unnoticed. The header is never taken from the compiler cache: a
# cached one made in another checkout holds that checkout's file identities, and its
# "#pragma once" guards then fail to recognise this checkout's headers.
function(quarnel_pch target)
  set(headers)
  foreach(h ${ARGN})
    list(APPEND headers "$<$<COMPILE_LANGUAGE:CXX>:${h}>")
  endforeach()
  target_precompile_headers(${target} PRIVATE ${headers})
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Winvalid-pch>)
  set_target_properties(${target} PROPERTIES C_COMPILER_LAUNCHER "" CXX_COMPILER_LAUNCHER "")
endfunction()

function(quarnel_reuse_pch target from)
  target_precompile_headers(${target} REUSE_FROM ${from})
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Winvalid-pch>)
endfunction()

# The resource compiler's includes and files are not tracked by the build: each .rc among the
# sources is made to depend on the files it names in quotes (#include "x", BITMAP "x.bmp"),
# and on theirs in turn, so that a changed table or bitmap rebuilds the resources.
function(quarnel_rc_depends)
  foreach(src ${ARGN})
    if(NOT src MATCHES "\\.rc$")
      continue()
    endif()
    get_filename_component(src ${src} ABSOLUTE)
    set(pending ${src})
    set(seen)
    while(pending)
      list(POP_FRONT pending f)
      get_filename_component(dir ${f} DIRECTORY)
      file(STRINGS ${f} lines REGEX "\"[^\"]+\\.[A-Za-z0-9]+\"")
      foreach(line ${lines})
        string(REGEX MATCHALL "\"[^\"]+\\.[A-Za-z0-9]+\"" names "${line}")
        foreach(n ${names})
          string(REPLACE "\"" "" n ${n})
          get_filename_component(named ${n} ABSOLUTE BASE_DIR ${dir})
          if(EXISTS ${named} AND NOT IS_DIRECTORY ${named} AND NOT named IN_LIST seen)
            list(APPEND seen ${named})
            if(named MATCHES "\\.(rch|h|rc2)$")
              list(APPEND pending ${named})
            endif()
          endif()
        endforeach()
      endforeach()
    endwhile()
    if(seen)
      set_property(SOURCE ${src} APPEND PROPERTY OBJECT_DEPENDS ${seen})
    endif()
  endforeach()
endfunction()

# quarnel_dll(<name> EXPORT <macro> DIRS <dir>... [LINK <lib>...] [INCLUDE <dir>...]
#             [PCH <header>...])
# A DLL from every .cpp/.c/.rc of the given folders; <macro> is defined while building it
# so that its headers export rather than import. PCH: headers most of its units include,
# precompiled for it alone.
function(quarnel_dll name)
  cmake_parse_arguments(A "" "EXPORT" "DIRS;LINK;INCLUDE;PUBLIC_INCLUDE;PCH" ${ARGN})
  set(srcs)
  foreach(d ${A_DIRS})
    file(GLOB s CONFIGURE_DEPENDS ${d}/*.cpp ${d}/*.c ${d}/*.rc)
    list(APPEND srcs ${s})
  endforeach()
  add_library(${name} SHARED ${srcs})
  quarnel_rc_depends(${srcs})
  set_target_properties(${name} PROPERTIES PREFIX "")
  if(A_EXPORT)
    target_compile_definitions(${name} PRIVATE ${A_EXPORT})
  endif()
  target_include_directories(${name} PUBLIC ${A_PUBLIC_INCLUDE} PRIVATE ${A_INCLUDE})
  target_link_libraries(${name} PUBLIC ${A_LINK})
  quarnel_strict(${name})
  if(A_PCH)
    # The precompiled headers, made with the DLL's own definitions and include path.
    file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${name}_pch.cpp CONTENT "// ${name}'s precompiled headers.\n")
    add_library(${name}_pch OBJECT ${CMAKE_CURRENT_BINARY_DIR}/${name}_pch.cpp)
    target_compile_definitions(${name}_pch PRIVATE ${A_EXPORT} ${name}_EXPORTS)
    target_include_directories(${name}_pch PRIVATE ${A_PUBLIC_INCLUDE} ${A_INCLUDE})
    target_link_libraries(${name}_pch PRIVATE ${A_LINK})
    quarnel_strict(${name}_pch)
    quarnel_pch(${name}_pch ${A_PCH})
    quarnel_reuse_pch(${name} ${name}_pch)
  endif()
endfunction()

# quarnel_test(<name> [INPUT] [PRINTER] [LOCK <resource>...] [LINK <lib>...] [SOURCES <file>...])
# One test program from tests/<name>/*.cpp (or the given sources), run under Wine by ctest
# as "<edition>.<name>". These programs run alone:
#   INPUT    the program sends keyboard or mouse input (SendInput), which goes to whichever
#            window is in the foreground of the shared Wine desktop;
#   PRINTER  the program opens the printer, which another process loading the spooler (every
#            program that loads quarnel) can make vanish for a moment while it enters the
#            system's printers into the prefix again.
# LOCK: settings of the shared prefix the program changes and puts back (both editions' runs
# of it must not overlap).
function(quarnel_test name)
  cmake_parse_arguments(A "INPUT;PRINTER" "" "LOCK;LINK;SOURCES" ${ARGN})
  if(NOT A_SOURCES)
    file(GLOB A_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.rc)
  endif()
  add_executable(test_${name} ${A_SOURCES})
  quarnel_rc_depends(${A_SOURCES})
  target_link_libraries(test_${name} PRIVATE ${A_LINK} quarnel_testing gmock gtest)
  quarnel_strict(test_${name})
  quarnel_reuse_pch(test_${name} quarnel_test_pch)
  add_test(NAME ${QUARNEL_EDITION}.${name} COMMAND test_${name}
           WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  if(A_INPUT OR A_PRINTER)
    set_tests_properties(${QUARNEL_EDITION}.${name} PROPERTIES RUN_SERIAL TRUE)
  endif()
  if(A_LOCK)
    set_tests_properties(${QUARNEL_EDITION}.${name} PROPERTIES RESOURCE_LOCK "${A_LOCK}")
  endif()
endfunction()

# quarnel_bench(<name> [LINK <lib>...]) : bench_<name>.exe from bench/<name>/*.cpp.
function(quarnel_bench name)
  cmake_parse_arguments(A "" "" "LINK" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.rc)
  add_executable(bench_${name} ${srcs})
  quarnel_rc_depends(${srcs})
  target_link_libraries(bench_${name} PRIVATE ${A_LINK} gbenchmark)
  target_include_directories(bench_${name} PRIVATE ${CMAKE_SOURCE_DIR}/bench/support)
  quarnel_strict(bench_${name})
  set_property(GLOBAL APPEND PROPERTY QUARNEL_BENCHMARKS bench_${name})
endfunction()

# Every sub-folder with a CMakeLists.txt.
function(quarnel_add_subdirs)
  file(GLOB subs LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(s ${subs})
    if(IS_DIRECTORY ${s} AND EXISTS ${s}/CMakeLists.txt)
      add_subdirectory(${s})
    endif()
  endforeach()
endfunction()
