# The program's libraries, made from the table in layers.txt: one library a
# source folder, linking exactly the libraries its line names and exposing
# only its own folder. Each library's include root is a folder of the build
# tree that holds a link to its source folder alone, so a file can include
# only from folders of libraries it links; the source tree's root is on no
# library's include path.

set(TESSALY_LAYER_TABLE ${CMAKE_CURRENT_LIST_DIR}/layers.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TESSALY_LAYER_TABLE})

# TESSALY_LAYERS: every folder of the table; TESSALY_USES_<folder>: the
# folders it uses.
file(STRINGS ${TESSALY_LAYER_TABLE} _layer_lines REGEX "^[a-z]")
set(TESSALY_LAYERS)
foreach(_line ${_layer_lines})
  string(REGEX MATCH "^([^:]+):(.*)$" _ ${_line})
  set(_folder ${CMAKE_MATCH_1})
  string(STRIP "${CMAKE_MATCH_2}" _uses)
  separate_arguments(_uses UNIX_COMMAND "${_uses}")
  list(APPEND TESSALY_LAYERS ${_folder})
  set(TESSALY_USES_${_folder} ${_uses})
endforeach()

# The target of a folder: platform/files -> tsy_platform_files.
function(tessaly_layer_target folder out)
  string(REPLACE "/" "_" _name "tsy_${folder}")
  set(${out} ${_name} PARENT_SCOPE)
endfunction()

# The folders below `folder` that are libraries of their own.
function(_tessaly_own_sublayers folder out)
  set(_subs)
  foreach(_other ${TESSALY_LAYERS})
    if(_other MATCHES "^${folder}/")
      list(APPEND _subs ${_other})
    endif()
  endforeach()
  set(${out} ${_subs} PARENT_SCOPE)
endfunction()

# Makes the include root of `folder` in the build tree and returns it.
function(_tessaly_stage_folder folder out)
  tessaly_layer_target(${folder} _target)
  set(_root ${CMAKE_BINARY_DIR}/include/${_target})
  set(_source ${PROJECT_SOURCE_DIR}/${folder})
  _tessaly_own_sublayers(${folder} _subs)
  get_filename_component(_parent ${_root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${_parent})
  if(NOT _subs)
    file(CREATE_LINK ${_source} ${_root}/${folder} SYMBOLIC)
  else()
    # A folder that holds other libraries: its own entries one by one.
    if(IS_SYMLINK ${_root}/${folder})
      file(REMOVE ${_root}/${folder})
    endif()
    file(MAKE_DIRECTORY ${_root}/${folder})
    file(GLOB _entries CONFIGURE_DEPENDS RELATIVE ${_source} ${_source}/*)
    foreach(_entry ${_entries})
      if(NOT "${folder}/${_entry}" IN_LIST _subs AND NOT _entry STREQUAL "CMakeLists.txt")
        file(CREATE_LINK ${_source}/${_entry} ${_root}/${folder}/${_entry} SYMBOLIC)
      endif()
    endforeach()
  endif()
  set(${out} ${_root} PARENT_SCOPE)
endfunction()

# The include roots of the folders `folder` uses (not its own).
function(tessaly_layer_uses_includes folder out)
  set(_dirs)
  foreach(_used ${TESSALY_USES_${folder}})
    tessaly_layer_target(${_used} _target)
    list(APPEND _dirs $<TARGET_PROPERTY:${_target},INTERFACE_INCLUDE_DIRECTORIES>)
  endforeach()
  set(${out} ${_dirs} PARENT_SCOPE)
endfunction()

# tessaly_layer(<folder> [HEADERS] [EXCLUDE <file>...]): the library of a
# folder of the table, from its sources (those of its sub-libraries and the
# files named after EXCLUDE left out). HEADERS makes a library of headers
# only, for a shared library whose code is loaded at run time: it exposes
# the headers and links nothing.
function(tessaly_layer folder)
  cmake_parse_arguments(_arg "HEADERS" "" "EXCLUDE" ${ARGN})
  if(NOT folder IN_LIST TESSALY_LAYERS)
    message(FATAL_ERROR "${folder} is not in ${TESSALY_LAYER_TABLE}")
  endif()
  tessaly_layer_target(${folder} _target)
  _tessaly_stage_folder(${folder} _root)
  if(_arg_HEADERS)
    add_library(${_target} INTERFACE)
    target_include_directories(${_target} INTERFACE ${_root})
    return()
  endif()
  file(GLOB_RECURSE _srcs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  _tessaly_own_sublayers(${folder} _subs)
  foreach(_sub ${_subs})
    list(FILTER _srcs EXCLUDE REGEX "^${PROJECT_SOURCE_DIR}/${_sub}/")
  endforeach()
  foreach(_file ${_arg_EXCLUDE})
    list(REMOVE_ITEM _srcs ${PROJECT_SOURCE_DIR}/${folder}/${_file})
  endforeach()
  add_library(${_target} STATIC ${_srcs})
  target_include_directories(${_target} PUBLIC ${_root})
  foreach(_used ${TESSALY_USES_${folder}})
    tessaly_layer_target(${_used} _used_target)
    target_link_libraries(${_target} PUBLIC ${_used_target})
  endforeach()
endfunction()

# Fails the configuration when a folder of the table has no library.
function(tessaly_check_layers)
  foreach(_folder ${TESSALY_LAYERS})
    tessaly_layer_target(${_folder} _target)
    if(NOT TARGET ${_target})
      message(FATAL_ERROR "${_folder} (${TESSALY_LAYER_TABLE}) has no library ${_target}")
    endif()
  endforeach()
endfunction()
