# Settings every part of the build shares: the target word size, compile flags, output folders,
# GoogleTest built for the target, and the way test programs are registered with CTest.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(KORVESSA_ARCH x86)
else()
  set(KORVESSA_ARCH x64)
endif()

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE Release)
endif()

# The programs leave the build in out/; test programs stay in their own build folder.
set(KORVESSA_OUT_DIR "${CMAKE_BINARY_DIR}/out" CACHE PATH "Where Korvessa.exe and KorvessaX64.exe are written")
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")

# Every test runs under Wine, in one prefix for the whole build.
set(KORVESSA_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix the tests run in")
# A 32-bit prefix (WINEARCH=win32) beside it, as 32-bit Windows, where the host runs 32-bit
# programs.
set(KORVESSA_WINEPREFIX32 "${KORVESSA_WINEPREFIX}32")
set(KORVESSA_TEST_RUNNER "${CMAKE_SOURCE_DIR}/tests/run-under-wine.sh" "${KORVESSA_WINEPREFIX}")
set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVESSA_TEST_RUNNER})

# Our own code: the ANSI forms of the Windows API, no warnings, and Windows XP's headers, so
# that a later API is a compile error here and not a load failure on the user's machine.
function(korvessa_target_defaults target)
  # Includes name their folder from the repository root ("install/DriverPackage.h"), or from
  # the build folder for files the build writes.
  target_include_directories(${target} PRIVATE "${CMAKE_SOURCE_DIR}" "${CMAKE_BINARY_DIR}")
  target_compile_definitions(${target} PRIVATE _WIN32_WINNT=0x0501 WINVER=0x0501 NOMINMAX)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
# GoogleTest and every test see our Win32 Notification in place of GoogleTest's std::mutex one.
set(gtest_notification "${CMAKE_SOURCE_DIR}/tests/GTestWin32Notification.h")
foreach(gtest_target gtest gtest_main)
  target_compile_definitions(${gtest_target} PUBLIC GTEST_HAS_NOTIFICATION_=1)
  target_compile_options(${gtest_target} PUBLIC -include "${gtest_notification}")
endforeach()

enable_testing()

# korvessa_add_test(NAME SOURCES ... LIBRARIES ... [ARCHITECTURES x86 x64] [LOCKS name ...]
#                   [ON_32BIT_WINDOWS])
# One test program is one CTest test per word size, x86 and x64 unless ARCHITECTURES names one
# (a behaviour that exists in one word size only; such tests carry the label one-word-size).
# The 32-bit build registers both copies, so one ctest run covers both; each test carries its
# word size as a label, so a host that runs no 32-bit programs can leave the x86 ones out.
# LOCKS names state a test changes for the whole prefix (the application-data folder, say):
# ctest never runs two tests holding the same lock at once.
# ON_32BIT_WINDOWS runs the x86 copy once more in the 32-bit prefix, as on 32-bit Windows (test
# NAME.win32). Its application-data folder and shell handlers are that prefix's own; the
# desktop is not.
function(korvessa_add_test name)
  cmake_parse_arguments(T "ON_32BIT_WINDOWS" "" "SOURCES;LIBRARIES;ARCHITECTURES;LOCKS" ${ARGN})
  set(labels "")
  if(NOT T_ARCHITECTURES)
    set(T_ARCHITECTURES x86 x64)
  else()
    list(LENGTH T_ARCHITECTURES architecture_count)
    if(architecture_count EQUAL 1)
      set(labels one-word-size)
    endif()
  endif()
  if(KORVESSA_ARCH IN_LIST T_ARCHITECTURES)
    add_executable(${name} ${T_SOURCES})
    korvessa_target_defaults(${name})
    target_link_libraries(${name} PRIVATE ${T_LIBRARIES} gtest_main)
  endif()
  if(NOT KORVESSA_ARCH STREQUAL x86)
    return()
  endif()
  if(x86 IN_LIST T_ARCHITECTURES)
    add_test(NAME ${name}.x86 COMMAND ${name})
    set_tests_properties(${name}.x86 PROPERTIES LABELS "x86;${labels}")
    if(T_ON_32BIT_WINDOWS)
      add_test(NAME ${name}.win32
        COMMAND "${CMAKE_SOURCE_DIR}/tests/run-under-wine.sh" "${KORVESSA_WINEPREFIX32}" "$<TARGET_FILE:${name}>")
      set_tests_properties(${name}.win32 PROPERTIES LABELS x86 RESOURCE_LOCK desktop)
    endif()
  endif()
  if(x64 IN_LIST T_ARCHITECTURES)
    add_test(NAME ${name}.x64 COMMAND ${KORVESSA_TEST_RUNNER} "${KORVESSA_X64_BINARY_DIR}/bin/${name}.exe")
    set_tests_properties(${name}.x64 PROPERTIES LABELS "x64;${labels}")
  endif()
  foreach(architecture IN LISTS T_ARCHITECTURES)
    if(T_LOCKS)
      set_tests_properties(${name}.${architecture} PROPERTIES RESOURCE_LOCK "${T_LOCKS}")
    endif()
  endforeach()
endfunction()

# korvessa_delay_load_library(NAME DEF_FILE): a library target that imports the functions
# DEF_FILE lists from its DLL delay-loaded: the DLL is loaded, by its bare name, at the first
# call of one of them. Its start-up then runs after the program has closed the DLL search, so
# that nothing it loads by name can come from the program's folder.
function(korvessa_delay_load_library name def_file)
  set(def "${CMAKE_BINARY_DIR}/delay-load/${name}.def")
  set(library "${CMAKE_BINARY_DIR}/delay-load/lib${name}.a")
  file(READ "${def_file}" exports)
  if(KORVESSA_ARCH STREQUAL x64)
    # No stdcall on x64: the symbols carry no argument sizes.
    string(REGEX REPLACE "@[0-9]+" "" exports "${exports}")
  endif()
  file(WRITE "${def}" "${exports}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${def_file}")
  # Run in the library's folder, so that the symbols dlltool derives from the library's name
  # do not carry the build folder's path.
  add_custom_command(OUTPUT "${library}"
    COMMAND "${KORVESSA_TRIPLET}-dlltool" --input-def "${name}.def" --kill-at --output-delaylib "lib${name}.a"
    WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/delay-load"
    DEPENDS "${def}"
    COMMENT "Delay-import library for ${name}"
    VERBATIM)
  add_custom_target(${name}_import_library DEPENDS "${library}")
  add_library(${name} INTERFACE)
  target_link_libraries(${name} INTERFACE "${library}")
  add_dependencies(${name} ${name}_import_library)
  # A call through a dllimport declaration names only the import's address, and the 32-bit
  # linker then drops the function's stub, which holds the first call's road to the loader:
  # there each stub is asked for by name. So every program that links the library imports
  # every function DEF_FILE lists.
  if(KORVESSA_ARCH STREQUAL x86)
    string(REGEX MATCHALL "\n[A-Za-z_][A-Za-z0-9_@]*" functions "${exports}")
    foreach(function IN LISTS functions)
      string(STRIP "${function}" function)
      if(NOT function STREQUAL "EXPORTS" AND NOT function STREQUAL "LIBRARY")
        target_link_options(${name} INTERFACE "-Wl,--undefined=_${function}")
      endif()
    endforeach()
  endif()
endfunction()

# korvessa_strip_with_delay_import_directory(TARGET): a program that delay-loads DLLs, linked
# without symbol tables, with its delay-import directory filled in after the link from the
# linker's map (mingw-w64's linker leaves the directory empty).
function(korvessa_strip_with_delay_import_directory target)
  set(map "${CMAKE_CURRENT_BINARY_DIR}/${target}.map")
  target_sources(${target} PRIVATE "${CMAKE_SOURCE_DIR}/cmake/delay-load/DelayImportTableEnd.cpp")
  target_link_options(${target} PRIVATE -s "-Wl,-Map=${map}")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND perl "${CMAKE_SOURCE_DIR}/cmake/delay-load/fill-delay-import-directory.pl"
            "${map}" "$<TARGET_FILE:${target}>"
    VERBATIM)
endfunction()
