# cmake -DPROGRAM=x.exe -DOBJDUMP=objdump -DALLOWED=<names> -P CheckStaticImports.cmake
# Fails, naming them, if PROGRAM's import table names DLLs other than those ALLOWED (without
# ".dll", any case) and the api-ms-win-* API sets: Windows would look for them in the
# program's folder first.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
list(TRANSFORM imports REPLACE "DLL Name: " "")
set(foreign)
foreach(dll IN LISTS imports)
  string(TOLOWER "${dll}" name)
  string(REGEX REPLACE "\\.dll$" "" name "${name}")
  if(NOT name IN_LIST ALLOWED AND NOT name MATCHES "^api-ms-win-")
    list(APPEND foreign ${dll})
  endif()
endforeach()
if(foreign)
  list(JOIN foreign ", " foreign)
  message(FATAL_ERROR "${PROGRAM} imports ${foreign} as usual, which Windows would look for "
                      "beside it first: delay-load it (CALENDARIO_DELAY_LOADED_DLLS in "
                      "cmake/WindowsDlls.cmake), or, if it is a KnownDLL, allow it there")
endif()
