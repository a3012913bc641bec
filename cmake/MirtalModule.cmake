# A module is one folder of sources built as one library. Sources are found by
# globbing, so adding a file to a folder needs no edit here.
#   mirtal_module(<target> <STATIC|SHARED> DIR <folder> [EXCLUDE <regex>] [LINK <libs...>])
function(mirtal_module target kind)
  cmake_parse_arguments(M "" "DIR;EXCLUDE" "LINK" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${M_DIR}/*.cpp ${M_DIR}/*.c ${M_DIR}/*.h)
  if(M_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "${M_EXCLUDE}")
  endif()
  # The shared globals of each subsystem build apart, in mirtal_globals.
  list(FILTER srcs EXCLUDE REGEX "Globals\\.cpp$")
  set(have_cpp FALSE)
  foreach(s IN LISTS srcs)
    if(s MATCHES "\\.(cpp|c)$")
      set(have_cpp TRUE)
    endif()
  endforeach()
  if(have_cpp)
    add_library(${target} ${kind} ${srcs})
    target_link_libraries(${target} PUBLIC ${M_LINK})
  else()
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${M_LINK})
  endif()
endfunction()

# The program's shared globals, declared by the subsystem that owns each
# (store/StoreGlobals, app/AppGlobals, player/PlayerGlobals, ...), built as one
# small library so that any module can set or read them without linking the
# owner's windows.
function(mirtal_globals target)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/*/*Globals.cpp)
  if(srcs)
    add_library(${target} STATIC ${srcs})
  else()
    add_library(${target} INTERFACE)
  endif()
endfunction()
