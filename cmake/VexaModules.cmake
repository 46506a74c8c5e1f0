# The core is made of one static library per module (src/<module>). None of them may
# depend on Qt Widgets: the headless front end and the tests must run without a display.
#
# The modules stand in layers; a module may link and include only modules of layers
# below its own (docs/ARCHITECTURE.md draws them). Configuring fails on an upward or
# sideways edge, so the layering cannot rot unnoticed.
set(VEXA_LAYER_lib 0)        # text, numbers, files, INI dialect: knows nothing of the program
set(VEXA_LAYER_base 1)       # program paths, tools, constants, shared enums
set(VEXA_LAYER_media 2)      # MediaInfo binding, file information, the tools report
set(VEXA_LAYER_update 2)     # the update check: versions and one HTTP request
set(VEXA_LAYER_encoding 3)   # encoder settings and command lines
set(VEXA_LAYER_settings 4)   # settings file and profiles
set(VEXA_LAYER_filelist 4)   # the file list model
set(VEXA_LAYER_runner 5)     # one encoder run: the process, its output, its progress
set(VEXA_LAYER_outputs 5)    # output names, temporary outputs, the output check, remedies
set(VEXA_LAYER_batch 6)      # the queue, the check before a batch, scripts
set(VEXA_LAYER_frontend 7)   # what both front ends share: the list as a batch's rows
set(VEXA_LAYER_cli 8)        # front ends: the headless one ...
set(VEXA_LAYER_ui 8)         # ... and the window
set_property(GLOBAL PROPERTY VEXA_CORE_MODULES "")
set_property(GLOBAL PROPERTY VEXA_LAYERED_MODULES "")

# vexa_moc_when_needed(<target>): moc runs only for targets whose sources declare a
# Q_OBJECT, Q_GADGET or Q_NAMESPACE. Elsewhere AUTOMOC would still add a scan and one
# compiled (empty) file per target: two dozen of them in a build of the tests.
function(vexa_moc_when_needed target)
  get_target_property(_sources ${target} SOURCES)
  get_target_property(_dir ${target} SOURCE_DIR)
  foreach(_f IN LISTS _sources)
    if(NOT IS_ABSOLUTE ${_f})
      set(_f ${_dir}/${_f})
    endif()
    file(STRINGS ${_f} _hit REGEX "Q_OBJECT|Q_GADGET|Q_NAMESPACE" LIMIT_COUNT 1)
    if(_hit)
      return()
    endif()
  endforeach()
  set_target_properties(${target} PROPERTIES AUTOMOC OFF)
endfunction()

# vexa_core_module(<name> DEPENDS <modules or Qt targets>...)
# Builds src/<dir>/*.cpp into the static library vexa_<name>.
function(vexa_core_module name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(vexa_${name} STATIC ${_src})
  target_include_directories(vexa_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(vexa_${name} PUBLIC vexa_flags Qt6::Core ${ARG_DEPENDS})
  set_property(GLOBAL APPEND PROPERTY VEXA_CORE_MODULES vexa_${name})
  vexa_moc_when_needed(vexa_${name})
  vexa_layered_module(${name})
endfunction()

# vexa_layered_module(<name>): checks vexa_<name> (built from src/<name>) against the
# layers at the end of configuring.
function(vexa_layered_module name)
  if(NOT DEFINED VEXA_LAYER_${name})
    message(FATAL_ERROR "module ${name} has no layer; add VEXA_LAYER_${name} to cmake/VexaModules.cmake")
  endif()
  set_property(GLOBAL APPEND PROPERTY VEXA_LAYERED_MODULES ${name})
  set_property(GLOBAL PROPERTY VEXA_DIR_${name} ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()

function(_vexa_collect_links target out)
  set(_seen ${${out}})
  if(NOT TARGET ${target})
    return()
  endif()
  get_target_property(_aliased ${target} ALIASED_TARGET)
  if(_aliased)
    set(target ${_aliased})
  endif()
  if(target IN_LIST _seen)
    return()
  endif()
  list(APPEND _seen ${target})
  get_target_property(_type ${target} TYPE)
  set(_libs "")
  if(NOT _type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(_l ${target} LINK_LIBRARIES)
    if(_l)
      list(APPEND _libs ${_l})
    endif()
  endif()
  get_target_property(_il ${target} INTERFACE_LINK_LIBRARIES)
  if(_il)
    list(APPEND _libs ${_il})
  endif()
  foreach(_lib IN LISTS _libs)
    if(TARGET ${_lib})
      _vexa_collect_links(${_lib} _seen)
    endif()
  endforeach()
  set(${out} ${_seen} PARENT_SCOPE)
endfunction()

function(vexa_check_core_has_no_widgets)
  get_property(_mods GLOBAL PROPERTY VEXA_CORE_MODULES)
  foreach(_m IN LISTS _mods)
    set(_all "")
    _vexa_collect_links(${_m} _all)
    foreach(_t IN LISTS _all)
      if(_t STREQUAL "Qt6::Widgets" OR _t STREQUAL "Qt::Widgets")
        message(FATAL_ERROR "${_m} links Qt Widgets; the core must stay widget-free")
      endif()
    endforeach()
  endforeach()
endfunction()

# Every direct link to another module and every #include "<module>/..." of a layered
# module must go to a lower layer.
function(vexa_check_layers)
  get_property(_mods GLOBAL PROPERTY VEXA_LAYERED_MODULES)
  foreach(_m IN LISTS _mods)
    set(_layer ${VEXA_LAYER_${_m}})
    get_target_property(_links vexa_${_m} LINK_LIBRARIES)
    foreach(_l IN LISTS _links)
      if(NOT _l MATCHES "^vexa_(.+)$")
        continue()
      endif()
      set(_to ${CMAKE_MATCH_1})
      if(DEFINED VEXA_LAYER_${_to} AND NOT VEXA_LAYER_${_to} LESS _layer)
        message(FATAL_ERROR "vexa_${_m} (layer ${_layer}) links ${_l} (layer ${VEXA_LAYER_${_to}}); "
                            "a module may link only the layers below it")
      endif()
    endforeach()
    get_property(_dir GLOBAL PROPERTY VEXA_DIR_${_m})
    file(GLOB _files CONFIGURE_DEPENDS ${_dir}/*.cpp ${_dir}/*.h)
    foreach(_f IN LISTS _files)
      file(STRINGS ${_f} _includes REGEX "^#include \"[a-z]+/")
      foreach(_inc IN LISTS _includes)
        string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" _to "${_inc}")
        if(_to STREQUAL _m OR NOT DEFINED VEXA_LAYER_${_to})
          continue()
        endif()
        if(NOT VEXA_LAYER_${_to} LESS _layer)
          message(FATAL_ERROR "${_f} includes ${_to}/ (layer ${VEXA_LAYER_${_to}}) from ${_m} (layer ${_layer}); "
                              "a module may include only the layers below it")
        endif()
      endforeach()
    endforeach()
  endforeach()
endfunction()
