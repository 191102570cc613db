# One static library per folder; its sources are every .cpp below the folder
# (minus the EXCLUDE list), so adding a file never needs a CMake edit. A
# folder without sources yet becomes an interface (header-only) library.
#
# A library does not see the project root: its include folder is a tree of
# its own in the build folder holding one link, to the library's folder, at
# its path from the root ("Engine/zorfile"). Linking another library brings
# that library's tree along, so "Engine/zorfile/FileSystem.h" resolves only
# where zorfile is a dependency and "Source/..." never resolves below the game.
function(lht_library name dir)
  cmake_parse_arguments(ARG "" "" "EXCLUDE" ${ARGN})
  file(GLOB_RECURSE _srcs CONFIGURE_DEPENDS "${dir}/*.cpp")
  foreach(_ex ${ARG_EXCLUDE})
    list(REMOVE_ITEM _srcs "${_ex}")
  endforeach()
  file(RELATIVE_PATH _rel ${PROJECT_SOURCE_DIR} ${dir})
  set(_tree ${PROJECT_BINARY_DIR}/include/${name})
  get_filename_component(_parent ${_tree}/${_rel} DIRECTORY)
  file(MAKE_DIRECTORY ${_parent})
  if(NOT EXISTS ${_tree}/${_rel})
    file(CREATE_LINK ${dir} ${_tree}/${_rel} SYMBOLIC)
  endif()
  if(_srcs)
    add_library(${name} STATIC ${_srcs})
    target_include_directories(${name} PUBLIC ${_tree})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${_tree})
  endif()
endfunction()

# Links or adds include folders to a library made by lht_library, whatever its kind.
function(lht_link name)
  get_target_property(_type ${name} TYPE)
  if(_type STREQUAL "INTERFACE_LIBRARY")
    target_link_libraries(${name} INTERFACE ${ARGN})
  else()
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
endfunction()

function(lht_include name)
  get_target_property(_type ${name} TYPE)
  if(_type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${name} INTERFACE ${ARGN})
  else()
    target_include_directories(${name} PUBLIC ${ARGN})
  endif()
endfunction()
