# Which DLLs calendario.exe imports, and how. Windows looks for an imported DLL in the
# program's own folder before System32 unless it is a KnownDLL, so a dwmapi.dll saved into
# Downloads beside the program would run inside it. So the program imports the KnownDLLs,
# ntdll and the API sets as usual, delay-loads every other DLL, which app/dll_search.cpp
# has Windows look for in System32 alone, and fails to link if it imports anything else.

# Windows 10's and 11's KnownDLLs (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\
# KnownDLLs), and ntdll, which every process has loaded before it starts. The api-ms-win-*
# API sets are never looked for in a folder either.
set(CALENDARIO_STATIC_DLLS advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus
    imagehlp imm32 kernel32 msctf msvcrt normaliz nsi ntdll ole32 oleaut32 psapi rpcrt4
    sechost setupapi shcore shell32 shlwapi user32 wldap32 ws2_32)
# Windows' own DLLs that Qt calls, loaded from System32 by their first call: their import
# libraries' delay-loading twins, made here, are linked in their place. Also comdlg32, a
# KnownDLL for the file dialogs that the program never opens: it brings in comctl32, which
# (Wine's at least) loads uxtheme as it starts, by the search order of that moment.
set(CALENDARIO_DELAY_LOADED_DLLS authz bcrypt comctl32 comdlg32 crypt32 d2d1 d3d11 d3d12 d3d9
    dcomp dwmapi dwrite dxgi mpr msimg32 netapi32 oleacc powrprof secur32 userenv uxtheme version
    winmm winspool wtsapi32)

find_package(Python3 REQUIRED COMPONENTS Interpreter)

# Links `target` so, and checks it after each link.
function(calendario_load_dlls_from_system32 target)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/delay-load)
  file(MAKE_DIRECTORY ${dir}/made)
  foreach(name IN LISTS CALENDARIO_DELAY_LOADED_DLLS)
    find_library(CALENDARIO_IMPORT_LIBRARY_${name} ${name} REQUIRED NO_CACHE)
    set(library ${CALENDARIO_IMPORT_LIBRARY_${name}})
    # The DLL's name and every function the import library names: an __imp_<function> with
    # a thunk <function>. Data, which cannot be delay-loaded, has no thunk, and stays out.
    execute_process(COMMAND ${CMAKE_DLLTOOL} --identify ${library}
                    OUTPUT_VARIABLE dll OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${CMAKE_NM} ${library} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL " I __imp_[^\n]+" imports "${symbols}")
    string(REGEX MATCHALL " T [^\n]+" thunks "${symbols}")
    list(TRANSFORM imports REPLACE " I __imp_" "")
    list(TRANSFORM thunks REPLACE " T " "")
    list(REMOVE_DUPLICATES imports)
    set(data ${imports})
    list(REMOVE_ITEM data ${thunks})
    if(data)
      list(REMOVE_ITEM imports ${data})
    endif()
    list(JOIN imports "\n" exports)
    file(CONFIGURE OUTPUT ${dir}/${name}.def CONTENT "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
    # Made by a name without the build's path, which dlltool puts into the names of the
    # symbols it makes, and put in its place only if it changed: the program is linked
    # again when a library changes, not at each configure.
    execute_process(COMMAND ${CMAKE_DLLTOOL} --deterministic-libraries --input-def ../${name}.def
                            --output-delaylib lib${name}.a
                    WORKING_DIRECTORY ${dir}/made COMMAND_ERROR_IS_FATAL ANY)
    file(COPY_FILE ${dir}/made/lib${name}.a ${dir}/lib${name}.a ONLY_IF_DIFFERENT)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${dir}/lib${name}.a)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${library})
  endforeach()
  # Searched before the MinGW folder, so -l<name> finds the twin; __delayLoadHelper2 comes
  # from MinGW's libmingwex. ld lays out the import sections in the order of the paths of
  # the libraries they come from, so the folder is named relative to where the link runs
  # (the top of the build with Ninja, the program's folder with Makefiles): one program,
  # whatever folder it is built in.
  if(CMAKE_GENERATOR MATCHES "Ninja")
    file(RELATIVE_PATH from_link ${CMAKE_BINARY_DIR} ${dir})
  else()
    file(RELATIVE_PATH from_link ${CMAKE_CURRENT_BINARY_DIR} ${dir})
  endif()
  target_link_options(${target} BEFORE PRIVATE -L${from_link})
  # Kept through --gc-sections, and pointed to by the header after the link.
  target_link_options(${target} PRIVATE -Wl,-u,_load_config_used)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/cmake/pe_load_config.py $<TARGET_FILE:${target}>
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DOBJDUMP=${CMAKE_OBJDUMP}
            "-DALLOWED=${CALENDARIO_STATIC_DLLS}" -P ${PROJECT_SOURCE_DIR}/cmake/CheckStaticImports.cmake
    COMMENT "Pointing ${target}'s header to its load configuration, checking its imports"
    VERBATIM)
endfunction()
