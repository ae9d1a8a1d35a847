# What both mingw-w64 toolchains share. The Win32-thread-model compilers link no POSIX thread
# library, which would import functions Windows XP lacks (GetTickCount64); threads come from
# the Windows API. Static linking keeps every toolchain DLL out of the programs.
set(CMAKE_C_COMPILER ${KORVESSA_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${KORVESSA_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${KORVESSA_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KORVESSA_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
