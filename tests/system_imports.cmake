# cmake -DOBJDUMP=... -DEXE=... -P system_imports.cmake
# The program ships as one exe: it may import only DLLs that every Windows has.
cmake_minimum_required(VERSION 3.25)
# OLEACC: Active Accessibility, part of Windows since 2000 (what screen readers ask for the units).
set(allowed KERNEL32 USER32 GDI32 COMCTL32 SHELL32 ADVAPI32 OLE32 OLEAUT32 OLEACC MSVCRT COMDLG32 SHLWAPI)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} could not read ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" names "${dump}")
if(NOT names)
  message(FATAL_ERROR "no imports found in ${EXE}")
endif()
foreach(line IN LISTS names)
  # The i686 linker may spell an import's extension in capitals (COMCTL32.DLL).
  string(REGEX REPLACE "DLL Name: ([^.]+)\\.[dD][lL][lL]" "\\1" dll "${line}")
  string(TOUPPER "${dll}" dll)
  if(NOT dll IN_LIST allowed)
    message(FATAL_ERROR "${EXE} imports ${line}; it would not start where that DLL is missing")
  endif()
endforeach()
message(STATUS "${EXE}: system DLLs only")
