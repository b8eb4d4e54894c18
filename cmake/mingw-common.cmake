# Cross-compiling for Windows with MinGW-w64 (posix-threads flavour); SW_TRIPLE is set by the caller.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${SW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${SW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${SW_TRIPLE} ${CMAKE_CURRENT_LIST_DIR}/../build/deps/${SW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# One self-contained exe: no libgcc, libstdc++ or winpthread DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
