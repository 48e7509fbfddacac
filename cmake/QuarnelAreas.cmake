# Areas of the library: each area is one folder of sources compiled as its own object library,
# and the library DLL is linked from all of them.
#
# quarnel_area(<name> [OPEN] [UNICODE_ONLY] [SOURCES <file>...] [ANSI_SOURCES <file>...]
#              [USES <area>...] [LINK <lib>...])
#   <name>        the area's folder, relative to the source tree (ui/view, gui/core, ...).
#   SOURCES       its .cpp and .rc files, relative to that folder; listed, never globbed.
#   ANSI_SOURCES  files of edition/ that join this area in the earlier (ANSI) edition only.
#   USES          the areas whose headers it may include; each must be defined before it, so
#                 that the layering cannot loop.
#   LINK          the libraries its code calls; the areas that use it get them too (its headers
#                 may use them).
#   OPEN          the folder's own headers are part of the area's interface (the shared area);
#                 otherwise they are private to it.
#   UNICODE_ONLY  the area belongs to the current (Unicode) edition only.
#
# An area's include path holds its own folder, its exported headers include/<name>, and the
# interface of each area it uses (include/<used>, and the folder of an OPEN area); nothing
# else of the library. Including a header of an area not named in USES fails to compile; so
# does an exported header that does (each is compiled on its own with only the interfaces of
# its area and of the areas that area uses).
# Every area uses ui/shared, where include/ui/shared/quarnel_api.h lives: name it.

set(QUARNEL_SOURCE_FOLDERS ui gui edition)

# quarnel_area_pch(<header>...): the precompiled headers every area reuses; made with the
# areas' own definitions and flags.
function(quarnel_area_pch)
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/quarnel_area_pch.cpp CONTENT "// The library areas' precompiled headers.\n")
  add_library(quarnel_area_pch OBJECT ${CMAKE_BINARY_DIR}/quarnel_area_pch.cpp)
  target_compile_definitions(quarnel_area_pch PRIVATE QUARNEL_BUILD)
  target_link_libraries(quarnel_area_pch PRIVATE framework)
  quarnel_strict(quarnel_area_pch)
  quarnel_pch(quarnel_area_pch ${ARGN})
endfunction()

function(quarnel_area name)
  cmake_parse_arguments(A "OPEN;UNICODE_ONLY" "" "SOURCES;ANSI_SOURCES;USES;LINK" ${ARGN})
  get_property(defined GLOBAL PROPERTY QUARNEL_AREAS)
  if(name IN_LIST defined)
    message(FATAL_ERROR "area ${name} is defined twice")
  endif()
  set(dir ${CMAKE_SOURCE_DIR}/${name})

  set(interface)
  if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/include/${name})
    list(APPEND interface ${CMAKE_SOURCE_DIR}/include/${name})
    set_property(GLOBAL APPEND PROPERTY QUARNEL_PUBLIC_INCLUDE_DIRS ${CMAKE_SOURCE_DIR}/include/${name})
  endif()
  if(A_OPEN)
    list(APPEND interface ${dir})
    set_property(GLOBAL APPEND PROPERTY QUARNEL_OPEN_DIRS ${dir})
  endif()
  set(includes ${dir} ${interface})
  set(links ${A_LINK})
  foreach(used ${A_USES})
    if(NOT used IN_LIST defined)
      message(FATAL_ERROR "area ${name} uses ${used}, which is not defined before it")
    endif()
    get_property(used_interface GLOBAL PROPERTY QUARNEL_AREA_INTERFACE_${used})
    get_property(used_links GLOBAL PROPERTY QUARNEL_AREA_LINK_${used})
    list(APPEND includes ${used_interface})
    list(APPEND links ${used_links})
  endforeach()
  list(REMOVE_DUPLICATES links)

  set(sources)
  foreach(s ${A_SOURCES})
    get_filename_component(path ${s} ABSOLUTE BASE_DIR ${dir})
    string(FIND "${path}" "${dir}/" at)
    if(NOT at EQUAL 0)
      message(FATAL_ERROR "area ${name}: ${s} lies outside the area's folder")
    endif()
    list(APPEND sources ${path})
  endforeach()
  set(ansi_sources)
  foreach(s ${A_ANSI_SOURCES})
    get_filename_component(path ${s} ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR}/edition)
    list(APPEND ansi_sources ${path})
  endforeach()
  # Both editions know every listed file, so that either can tell a forgotten one.
  set_property(GLOBAL APPEND PROPERTY QUARNEL_AREA_SOURCES ${sources} ${ansi_sources})
  if(NOT QUARNEL_UNICODE)
    list(APPEND sources ${ansi_sources})
  endif()

  set_property(GLOBAL APPEND PROPERTY QUARNEL_AREAS ${name})
  set_property(GLOBAL PROPERTY QUARNEL_AREA_INTERFACE_${name} ${interface})
  set_property(GLOBAL PROPERTY QUARNEL_AREA_LINK_${name} ${A_LINK})
  # What the area's interface headers may include: its interface and those of the areas it uses
  # (not its private folder, which its users do not see).
  set(header_path ${interface})
  foreach(used ${A_USES})
    get_property(used_interface GLOBAL PROPERTY QUARNEL_AREA_INTERFACE_${used})
    list(APPEND header_path ${used_interface})
  endforeach()
  list(REMOVE_DUPLICATES header_path)
  set_property(GLOBAL PROPERTY QUARNEL_AREA_HEADER_PATH_${name} ${header_path})
  set_property(GLOBAL PROPERTY QUARNEL_AREA_HEADER_LINK_${name} ${links})
  if(NOT sources OR (A_UNICODE_ONLY AND NOT QUARNEL_UNICODE))
    return()  # nothing to build: only its interface can be used
  endif()

  string(REPLACE "/" "_" id ${name})
  set(target quarnel_${id})
  add_library(${target} OBJECT ${sources})
  quarnel_rc_depends(${sources})
  target_include_directories(${target} PRIVATE ${includes})
  target_compile_definitions(${target} PRIVATE QUARNEL_BUILD)
  target_link_libraries(${target} PRIVATE ${links})
  quarnel_strict(${target})
  quarnel_reuse_pch(${target} quarnel_area_pch)
  set_property(GLOBAL APPEND PROPERTY QUARNEL_AREA_TARGETS ${target})
endfunction()

# Fails the configuration when a .cpp or .rc file under the library's folders is in no area
# (it would silently not be built) or in more than one.
function(quarnel_check_area_sources)
  set(patterns)
  foreach(f ${QUARNEL_SOURCE_FOLDERS})
    list(APPEND patterns ${CMAKE_SOURCE_DIR}/${f}/*.cpp ${CMAKE_SOURCE_DIR}/${f}/*.c ${CMAKE_SOURCE_DIR}/${f}/*.rc)
  endforeach()
  file(GLOB_RECURSE present CONFIGURE_DEPENDS ${patterns})
  get_property(listed GLOBAL PROPERTY QUARNEL_AREA_SOURCES)
  set(problems)
  foreach(f ${present})
    if(NOT f IN_LIST listed)
      file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${f})
      string(APPEND problems "\n  ${rel} is in no area: add it to the SOURCES of its folder's quarnel_area")
    endif()
  endforeach()
  set(seen)
  foreach(f ${listed})
    if(f IN_LIST seen)
      file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${f})
      string(APPEND problems "\n  ${rel} is listed twice")
    endif()
    if(NOT EXISTS ${f})
      file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${f})
      string(APPEND problems "\n  ${rel} is listed but does not exist")
    endif()
    list(APPEND seen ${f})
  endforeach()
  if(problems)
    message(FATAL_ERROR "Library sources and areas disagree:${problems}")
  endif()
endfunction()

# quarnel_library_from_areas(<name> [PUBLIC_LINK <lib>...])
# The library DLL <name> from every area defined so far; its users get all exported headers
# and the PUBLIC_LINK libraries.
function(quarnel_library_from_areas name)
  cmake_parse_arguments(A "" "" "PUBLIC_LINK" ${ARGN})
  quarnel_check_area_sources()
  get_property(targets GLOBAL PROPERTY QUARNEL_AREA_TARGETS)
  get_property(public GLOBAL PROPERTY QUARNEL_PUBLIC_INCLUDE_DIRS)
  add_library(${name} SHARED)
  target_link_libraries(${name} PUBLIC ${A_PUBLIC_LINK} PRIVATE ${targets})
  target_include_directories(${name} INTERFACE ${public})
  set_target_properties(${name} PROPERTIES PREFIX "")

  # The boundaries, checked before the DLL is linked: no include reaches another folder by a
  # relative path, and only ui/shared registers window classes.
  set(checked)
  foreach(f ${QUARNEL_SOURCE_FOLDERS} include/ui include/gui)
    file(GLOB_RECURSE files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${f}/*.h ${CMAKE_SOURCE_DIR}/${f}/*.cpp
         ${CMAKE_SOURCE_DIR}/${f}/*.c ${CMAKE_SOURCE_DIR}/${f}/*.rc)
    list(APPEND checked ${files})
  endforeach()
  set(list_file ${CMAKE_BINARY_DIR}/${name}_boundaries.txt)
  string(REPLACE ";" "\n" lines "${checked}")
  file(CONFIGURE OUTPUT ${list_file} CONTENT "${lines}\n")
  set(stamp ${CMAKE_BINARY_DIR}/${name}_boundaries.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DLIST=${list_file} -DSTAMP=${stamp}
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckAreaBoundaries.cmake
    DEPENDS ${checked} ${list_file} ${CMAKE_SOURCE_DIR}/cmake/CheckAreaBoundaries.cmake
    COMMENT "Checking the boundaries between the library's areas")
  add_custom_target(${name}_boundaries DEPENDS ${stamp})
  add_dependencies(${name} ${name}_boundaries)

  # Every exported header, and every header an open area offers the others, compiles on its
  # own (included twice: its guard holds) with only what its area may include: the interfaces
  # of the area and of the areas it names in USES. A header that reaches another area fails.
  get_property(areas GLOBAL PROPERTY QUARNEL_AREAS)
  get_property(open GLOBAL PROPERTY QUARNEL_OPEN_DIRS)
  set(owned)
  foreach(area ${areas})
    set(patterns ${CMAKE_SOURCE_DIR}/include/${area}/*.h)
    if(${CMAKE_SOURCE_DIR}/${area} IN_LIST open)
      list(APPEND patterns ${CMAKE_SOURCE_DIR}/${area}/*.h)
    endif()
    file(GLOB headers CONFIGURE_DEPENDS ${patterns})
    if(NOT headers)
      continue()
    endif()
    list(APPEND owned ${headers})
    string(REPLACE "/" "_" id ${area})
    set(units)
    foreach(h ${headers})
      file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${h})
      string(REGEX REPLACE "[/.]" "_" unit ${rel})
      set(unit ${CMAKE_BINARY_DIR}/${name}_headers/${unit}.cpp)
      file(CONFIGURE OUTPUT ${unit} CONTENT "#include \"${h}\"\n#include \"${h}\"\n")
      list(APPEND units ${unit})
    endforeach()
    get_property(path GLOBAL PROPERTY QUARNEL_AREA_HEADER_PATH_${area})
    get_property(links GLOBAL PROPERTY QUARNEL_AREA_HEADER_LINK_${area})
    add_library(${name}_headers_${id} OBJECT ${units})
    target_include_directories(${name}_headers_${id} PRIVATE ${path})
    target_link_libraries(${name}_headers_${id} PRIVATE ${links})
    quarnel_strict(${name}_headers_${id})
  endforeach()
  # An exported header outside every area's folder would escape the check.
  file(GLOB_RECURSE exported CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/include/ui/*.h ${CMAKE_SOURCE_DIR}/include/gui/*.h)
  set(problems)
  foreach(h ${exported})
    if(NOT h IN_LIST owned)
      file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${h})
      string(APPEND problems "\n  ${rel} is in no area's include/<area>/ folder")
    endif()
  endforeach()
  if(problems)
    message(FATAL_ERROR "Exported headers outside the areas:${problems}")
  endif()
endfunction()
