# The build's own commands: libraries in layer order, the precompiled header
# they share, and the check that each library links only what is below it.

# ---- Precompiled header ------------------------------------------------------
# The Win32, ODBC, standard and framework headers nearly every source
# includes are compiled once, by kvprecompiled, and every library and
# program of the tree reuses that (the tests have their own, with GoogleTest).
option(KV_PRECOMPILED_HEADER "Compile with the shared precompiled header" ON)
add_library(kvprecompiled STATIC ${CMAKE_CURRENT_LIST_DIR}/empty.cpp)
if(KV_PRECOMPILED_HEADER)
  target_precompile_headers(kvprecompiled PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Precompiled.h)
endif()

# kv_use_precompiled_header(target [from]): compiles the target's sources with
# the shared precompiled header (kvprecompiled's, or from's).
function(kv_use_precompiled_header target)
  if(NOT KV_PRECOMPILED_HEADER)
    return()
  endif()
  set(_from kvprecompiled)
  if(ARGC GREATER 1)
    set(_from ${ARGV1})
  endif()
  set_target_properties(${target} PROPERTIES PRECOMPILE_HEADERS_REUSE_FROM ${_from})
endfunction()

# ---- Libraries -----------------------------------------------------------------
# kv_delay_import(name def): a library of delayed imports, made from the
# module-definition file `def` (the DLL and the functions the program calls
# of it). A program linking it loads that DLL when it first calls one of the
# functions, instead of at start: for DLLs that only some commands need.
function(kv_delay_import name def)
  set(_lib ${CMAKE_BINARY_DIR}/imports/lib${name}.a)
  add_custom_command(OUTPUT ${_lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/imports
    COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${_lib}
    DEPENDS ${def} VERBATIM)
  add_custom_target(${name}_import DEPENDS ${_lib})
  add_library(${name} INTERFACE)
  target_link_libraries(${name} INTERFACE ${_lib})
  add_dependencies(${name} ${name}_import)
endfunction()

# kv_layer(folder): adds a library folder in its place in the layer order
# (the top CMakeLists.txt lists them lowest first). The folder's
# CMakeLists.txt makes exactly one library (kv_library); a folder of
# anything else is added with add_subdirectory.
function(kv_layer folder)
  if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${folder}/CMakeLists.txt)
    message(FATAL_ERROR "kv_layer(${folder}): the folder has no CMakeLists.txt with its kv_library")
  endif()
  get_property(_before GLOBAL PROPERTY KV_LIBRARIES)
  add_subdirectory(${folder})
  get_property(_after GLOBAL PROPERTY KV_LIBRARIES)
  list(LENGTH _before _nBefore)
  list(LENGTH _after _nAfter)
  math(EXPR _nAdded "${_nAfter} - ${_nBefore}")
  if(NOT _nAdded EQUAL 1)
    message(FATAL_ERROR "kv_layer(${folder}) made ${_nAdded} libraries: a layer folder makes one "
      "(kv_library), each library folder has its own kv_layer line")
  endif()
endfunction()

# kv_library(name [DEPENDS lower...] [WIN32_LIBS lib...]): the static library
# of the current folder, made of every .cpp in it, linking (PUBLIC) the
# libraries of the layers below it that it uses and the Win32 import
# libraries it calls. A DEPENDS that is not a library added before this one
# (a library of the same or a higher layer) stops the configuration: the
# layers depend one way. The .rc files of the folder are the library's
# resource fragments (see kv_write_resources).
function(kv_library name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "DEPENDS;WIN32_LIBS")
  get_property(_below GLOBAL PROPERTY KV_LIBRARIES)
  file(RELATIVE_PATH _folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  foreach(_dep ${ARG_DEPENDS})
    if(NOT _dep IN_LIST _below)
      message(FATAL_ERROR "${name} (${_folder}) depends on ${_dep}, which is not a library "
        "of a layer below it. The layers depend one way (see kv_layer in the top "
        "CMakeLists.txt): give the lower layer a small interface that the higher one implements.")
    endif()
  endforeach()
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT _src)
    set(_src ${KV_ROOT}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${_src})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} ${ARG_WIN32_LIBS})
  kv_use_precompiled_header(${name})
  file(GLOB _rc CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.rc)
  set_property(GLOBAL PROPERTY KV_DEPENDS_${name} ${ARG_DEPENDS})
  set_property(GLOBAL PROPERTY KV_RESOURCES_${name} ${_rc})
  set_property(GLOBAL APPEND PROPERTY KV_LIBRARIES ${name})
  kv_register_classes(${name})
  kv_check_layer(${name})
endfunction()

# kv_register_classes(library): every program that links the static library
# links each run-time class the library defines (IMPLEMENT_DYNAMIC,
# IMPLEMENT_DYNCREATE, IMPLEMENT_SERIAL), whether or not its code names the
# class, so that CRuntimeClass::FromName finds a class that is only ever
# created by its name. After each build of the library its class records are
# listed in a linker response file (cmake/ClassRecords.cmake), which the
# programs' links read as symbols to resolve. A class inside an anonymous
# namespace has no such symbol and is not reached this way.
function(kv_register_classes name)
  set(_records ${CMAKE_BINARY_DIR}/classes/${name}.rsp)
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DLIB=$<TARGET_FILE:${name}> -DOUT=${_records}
      -P ${KV_ROOT}/cmake/ClassRecords.cmake
    VERBATIM)
  target_link_options(${name} INTERFACE "LINKER:@${_records}")
endfunction()

# ---- Resources -----------------------------------------------------------------
# kv_write_resources(file [lib...]): writes a resource script that includes
# the resource fragments of the libraries named and of every library below
# them (all libraries when none is named), lowest layer first. The program's
# script includes the one for all libraries; each test executable gets one
# for the libraries it tests, so it carries their strings and dialogs and
# nothing of the layers above.
function(kv_write_resources file)
  get_property(_all GLOBAL PROPERTY KV_LIBRARIES)
  if(ARGC GREATER 1)
    set(_todo ${ARGN})
    set(_wanted "")
    while(_todo)
      list(POP_FRONT _todo _lib)
      if(NOT _lib IN_LIST _wanted)
        list(APPEND _wanted ${_lib})
        get_property(_deps GLOBAL PROPERTY KV_DEPENDS_${_lib})
        list(APPEND _todo ${_deps})
      endif()
    endwhile()
  else()
    set(_wanted ${_all})
  endif()
  set(_text "// Made by the build (kv_write_resources in cmake/Kelvaron.cmake).\n")
  foreach(_lib ${_all})
    if(_lib IN_LIST _wanted)
      get_property(_rc GLOBAL PROPERTY KV_RESOURCES_${_lib})
      foreach(_f ${_rc})
        file(RELATIVE_PATH _f ${CMAKE_SOURCE_DIR} ${_f})
        string(APPEND _text "#include \"${_f}\"\n")
      endforeach()
    endif()
  endforeach()
  file(CONFIGURE OUTPUT ${file} CONTENT "${_text}")
endfunction()

# kv_check_layer(name): links every object of the library, whether a program
# uses it or not, with nothing but the libraries it depends on (a DLL, which
# must have every symbol resolved). A call into a library that is not below
# it (an upward call) fails this link, naming the symbol.
option(KV_LAYER_CHECK "Check at build time that each library links only what is below it" ON)
function(kv_check_layer name)
  if(NOT KV_LAYER_CHECK)
    return()
  endif()
  add_library(${name}_layercheck SHARED ${KV_ROOT}/cmake/empty.cpp)
  target_link_libraries(${name}_layercheck PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${name}>")
  set_target_properties(${name}_layercheck PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layercheck
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layercheck
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layercheck)
endfunction()

# kv_link_program(target lib...): links an executable with libraries of the
# program and, through them, everything below them, in layer order.
function(kv_link_program target)
  target_link_libraries(${target} PRIVATE ${ARGN})
endfunction()
