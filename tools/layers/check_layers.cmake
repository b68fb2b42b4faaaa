# Fails when an #include points the wrong way between the layers of the source tree.
#
#   cmake -DSOURCE_DIR=<top of the repository> -P check_layers.cmake
#
# The core's folders form layers, each using only itself and the layers before it:
#   fileio, geometry, mapinput, generator, meshing, writers | viewer, commands
# writers and viewer stand side by side and do not use each other, and the viewer has no use
# for meshing. imaging (Qt's images behind the core's interfaces) and meshimport (the mesh
# reader library behind them) may use the whole core; the two front ends, cli and gui, the
# core, imaging and meshimport, but not each other. A header directly in orvandel/ (the
# version, generated from its .in template) belongs to no layer: everyone may use it.
#
# A core header is public (under core/include) only when a front end, imaging, meshimport, a
# benchmark, a fuzz target or a tool includes it, or another public header does; every other
# header stands beside its sources, and nothing outside the core and the tests reaches for one
# of those.

cmake_minimum_required(VERSION 3.25)

set(core_layers fileio geometry mapinput generator meshing writers viewer commands)
set(allowed_fileio fileio)
set(allowed_geometry ${allowed_fileio} geometry)
set(allowed_mapinput ${allowed_geometry} mapinput)
set(allowed_generator ${allowed_mapinput} generator)
set(allowed_meshing ${allowed_generator} meshing)
set(allowed_writers ${allowed_meshing} writers)
set(allowed_viewer ${allowed_generator} viewer)
set(allowed_commands ${core_layers})
set(allowed_imaging ${core_layers} imaging)
set(allowed_meshimport ${core_layers} meshimport)
set(allowed_cli ${core_layers} imaging meshimport cli)
set(allowed_gui ${core_layers} imaging meshimport gui)

set(src "${SOURCE_DIR}/src")

# The layer of a file under src/, by the folder it stands in.
function(layer_of path out)
  file(RELATIVE_PATH rel "${src}" "${path}")
  string(REGEX REPLACE "^core/include/orvandel/" "core/" rel "${rel}")
  if(rel MATCHES "^core/[^/]+$")
    set(${out} "" PARENT_SCOPE)
  elseif(rel MATCHES "^core/([^/]+)/")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  elseif(rel MATCHES "^([^/]+)/")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  endif()
endfunction()

# Where a quoted include of a file in this layer is found: the core's public and private
# headers, then those of imaging, meshimport and the front ends' own folders.
function(resolve layer name out)
  set(roots "${src}/core/include" "${src}/core")
  if(layer MATCHES "^(imaging|meshimport|cli|gui)$")
    list(APPEND roots "${src}/imaging" "${src}/meshimport" "${src}/cli" "${src}/gui")
  endif()
  foreach(root IN LISTS roots)
    foreach(candidate "${root}/${name}" "${root}/${name}.in")
      if(EXISTS "${candidate}" AND NOT IS_DIRECTORY "${candidate}")
        set(${out} "${candidate}" PARENT_SCOPE)
        return()
      endif()
    endforeach()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources "${src}/*.h" "${src}/*.cpp")
set(wrong_way 0)
foreach(path IN LISTS sources)
  layer_of("${path}" layer)
  file(STRINGS "${path}" includes REGEX "^#include \"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" name "${line}")
    resolve(${layer} "${name}" target)
    file(RELATIVE_PATH shown "${SOURCE_DIR}" "${path}")
    if(target STREQUAL "")
      message(SEND_ERROR "${shown}: \"${name}\" is not found where ${layer} may look")
      math(EXPR wrong_way "${wrong_way} + 1")
      continue()
    endif()
    layer_of("${target}" used)
    if(NOT used STREQUAL "" AND NOT used IN_LIST allowed_${layer})
      message(SEND_ERROR "${shown}: ${layer} must not use ${used} (\"${name}\")")
      math(EXPR wrong_way "${wrong_way} + 1")
    endif()
  endforeach()
endforeach()

# The public headers and who includes them from outside the core.
set(public_root "${src}/core/include")
file(GLOB_RECURSE public_headers "${public_root}/*.h")
file(GLOB_RECURSE outside "${src}/cli/*" "${src}/gui/*" "${src}/imaging/*"
     "${src}/meshimport/*"
     "${SOURCE_DIR}/bench/*" "${SOURCE_DIR}/fuzz/*" "${SOURCE_DIR}/tools/*")
list(FILTER outside INCLUDE REGEX "\\.(h|cpp)$")
set(used_publicly "")
foreach(path IN LISTS outside public_headers)
  file(STRINGS "${path}" includes REGEX "^#include \"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" name "${line}")
    file(RELATIVE_PATH shown "${SOURCE_DIR}" "${path}")
    if(EXISTS "${public_root}/${name}")
      if(NOT path STREQUAL "${public_root}/${name}")
        list(APPEND used_publicly "${public_root}/${name}")
      endif()
    elseif(path IN_LIST outside AND EXISTS "${src}/core/${name}")
      message(SEND_ERROR "${shown}: \"${name}\" is the core's own; make it public first")
      math(EXPR wrong_way "${wrong_way} + 1")
    endif()
  endforeach()
endforeach()
foreach(header IN LISTS public_headers)
  if(NOT header IN_LIST used_publicly)
    file(RELATIVE_PATH shown "${SOURCE_DIR}" "${header}")
    message(SEND_ERROR "${shown}: only the core uses it; it belongs beside its sources")
    math(EXPR wrong_way "${wrong_way} + 1")
  endif()
endforeach()

if(wrong_way GREATER 0)
  message(FATAL_ERROR "${wrong_way} include(s) point the wrong way")
endif()
list(LENGTH sources count)
message(STATUS "${count} files, every include points the right way")
