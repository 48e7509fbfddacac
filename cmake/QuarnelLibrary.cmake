# quarnel: the user-interface library, a framework extension DLL. Both editions come from the
# same sources; the earlier (ANSI) edition adds edition/.
set(quarnel_dirs ui ui/UIDlg ui/grid ui/bars ui/crash gui/core gui/widgets)
if(NOT QUARNEL_UNICODE)
  list(APPEND quarnel_dirs edition)
endif()
set(quarnel_sources)
foreach(d ${quarnel_dirs})
  file(GLOB s CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${d}/*.cpp ${CMAKE_SOURCE_DIR}/${d}/*.rc)
  list(APPEND quarnel_sources ${s})
endforeach()
add_library(quarnel SHARED ${quarnel_sources})
set_target_properties(quarnel PROPERTIES PREFIX "")
target_compile_definitions(quarnel PRIVATE QUARNEL_BUILD)
target_include_directories(quarnel PUBLIC ${CMAKE_SOURCE_DIR}/include
  PRIVATE ${CMAKE_SOURCE_DIR}/ui ${CMAKE_SOURCE_DIR}/gui/core ${CMAKE_SOURCE_DIR}/gui/widgets)
target_link_libraries(quarnel PUBLIC framework vekkel brevin solvane tamrick ulmora
  PRIVATE libtiff comctl32 comdlg32 gdi32 user32 ole32 oleaut32 uuid advapi32 shell32 winspool version)
quarnel_strict(quarnel)
# 32-bit stdcall exports carry an @<bytes> suffix: also export them under their plain names,
# the names they have on x86-64 and the ones a host asks GetProcAddress for.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_link_options(quarnel PRIVATE -Wl,--add-stdcall-alias)
endif()
