// The key filter that both dialogs run before the platform's dialog manager sees a message.
#pragma once

#include <windows.h>

// TRUE for a key-down of Esc or Enter, which the dialog then swallows: the dialog manager
// would turn them into Cancel and OK and close the dialog, which must close only through its
// caption's close command. Every other message, system keys included, is passed on.
BOOL IsSwallowedDialogKey(const MSG& message);
