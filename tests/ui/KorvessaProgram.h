// The built Korvessa.exe of this word size, and its main window.
#pragma once

#include <windows.h>

#include <string>

// Made by the build: the program's path as Wine sees it.
std::string KorvessaExePath();

// The main window's caption, as template 102 gives it.
constexpr char kMainWindowCaption[] = "Korvessa 2.0 - www.korvessa.com";

// The main window of the process (FindWindowA's search by caption), or NULL.
HWND FindMainWindow(DWORD processId);

// The visible main window of the process, or NULL once timeoutMs have passed.
HWND WaitForMainWindow(DWORD processId, DWORD timeoutMs);
