// The program's one application object; the framework's WinMain runs it.
#include "KorvessaApp.h"

CKorvessaApp theApp;
