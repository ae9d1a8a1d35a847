// What the window tests share: a shell recorder (RecordingShell.h) and the window classes of
// template 102.
#pragma once

#include "tests/ui/RecordingShell.h"

// The list view and progress bar classes, as the application's start-up registers them.
void RegisterCommonControls();
