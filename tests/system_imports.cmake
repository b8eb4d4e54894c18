# cmake -DOBJDUMP=... -DEXE=... -P system_imports.cmake
# The program ships as one exe: it may import only DLLs that every Windows has, and of those only the known
# ones, which the system takes from its own folder whatever lies beside the program. Others (the common
# controls, Active Accessibility, GDI+) are bound at run time from the system folder.
cmake_minimum_required(VERSION 3.25)
set(allowed KERNEL32 USER32 GDI32 OLE32 OLEAUT32 SHELL32 COMDLG32 MSVCRT ADVAPI32 SHLWAPI IMM32)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} could not read ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" names "${dump}")
if(NOT names)
  message(FATAL_ERROR "no imports found in ${EXE}")
endif()
foreach(line IN LISTS names)
  # The i686 linker may spell an import's extension in capitals (SHELL32.DLL).
  string(REGEX REPLACE "DLL Name: ([^.]+)\\.[dD][lL][lL]" "\\1" dll "${line}")
  string(TOUPPER "${dll}" dll)
  if(NOT dll IN_LIST allowed)
    message(FATAL_ERROR "${EXE} imports ${line}: a copy of it beside the program would be loaded in its place")
  endif()
endforeach()
message(STATUS "${EXE}: system DLLs only")
