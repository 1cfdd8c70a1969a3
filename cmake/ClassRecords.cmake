# Writes the run-time class records a static library defines (CFoo::classCFoo,
# made by IMPLEMENT_DYNAMIC and its kin) into a linker response file, one
# "--undefined=<symbol>" each: a program linking the library then links every
# registered class even when no code of it names the class (creation by name
# from a saved layout). Run by the build after the library: cmake -DNM=<nm>
# -DLIB=<library> -DOUT=<response file> -P ClassRecords.cmake
execute_process(COMMAND ${NM} -g --defined-only ${LIB}
  OUTPUT_VARIABLE _symbols RESULT_VARIABLE _result ERROR_QUIET)
if(NOT _result EQUAL 0)
  message(FATAL_ERROR "ClassRecords: ${NM} could not read ${LIB}")
endif()
string(REGEX MATCHALL " [DRB] _ZN[0-9]+[A-Za-z_0-9]+[0-9]+class[A-Za-z_0-9]+E" _records "${_symbols}")
set(_text "")
foreach(_record ${_records})
  string(SUBSTRING "${_record}" 3 -1 _symbol)
  string(APPEND _text "--undefined=${_symbol}\n")
endforeach()
file(WRITE ${OUT} "${_text}")
