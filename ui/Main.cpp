// The program's one application object; the framework's WinMain runs it.
#include "ui/KorvessaApp.h"

CKorvessaApp theApp;
