# What the build takes from the cross compiler's installation, found through the compiler
# itself rather than at fixed paths: the runtime DLLs every module links against (copied beside
# the binaries), the static zlib, and the GoogleTest sources.

# quarnel_compiler_file(<var> <name>...): the first of the names the compiler finds in its
# search path, or "<var>-NOTFOUND".
function(quarnel_compiler_file var)
  foreach(name ${ARGN})
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
    # Not found, the compiler answers the bare name.
    if(rc EQUAL 0 AND IS_ABSOLUTE "${path}" AND EXISTS "${path}")
      get_filename_component(path "${path}" REALPATH)
      set(${var} "${path}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${var} "${var}-NOTFOUND" PARENT_SCOPE)
endfunction()

# The C++ runtime, the unwinder's libgcc (named after the exception model of the target) and
# the threads library.
set(QUARNEL_RUNTIME_DLLS)
foreach(names "libstdc++-6.dll" "libgcc_s_seh-1.dll;libgcc_s_dw2-1.dll;libgcc_s_sjlj-1.dll"
              "libwinpthread-1.dll")
  quarnel_compiler_file(dll ${names})
  if(NOT dll)
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} finds none of ${names}: is its runtime package installed?")
  endif()
  list(APPEND QUARNEL_RUNTIME_DLLS ${dll})
endforeach()
file(COPY ${QUARNEL_RUNTIME_DLLS} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})

quarnel_compiler_file(QUARNEL_ZLIB libz.a)
if(NOT QUARNEL_ZLIB)
  message(FATAL_ERROR "${CMAKE_CXX_COMPILER} finds no libz.a: install zlib for mingw-w64")
endif()

# GoogleTest is built from its sources with our toolchain.
set(QUARNEL_GOOGLETEST_DIR "" CACHE PATH "GoogleTest's source tree (found when empty)")
if(NOT QUARNEL_GOOGLETEST_DIR)
  foreach(dir /usr/src/googletest /usr/src/gtest /usr/local/src/googletest)
    if(EXISTS ${dir}/CMakeLists.txt AND EXISTS ${dir}/googletest)
      set(QUARNEL_GOOGLETEST_DIR ${dir} CACHE PATH "GoogleTest's source tree (found when empty)" FORCE)
      break()
    endif()
  endforeach()
endif()
if(NOT EXISTS "${QUARNEL_GOOGLETEST_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "GoogleTest sources not found: install the googletest package or set QUARNEL_GOOGLETEST_DIR")
endif()
