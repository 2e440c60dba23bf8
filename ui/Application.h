#pragma once
// The program-wide pieces of the window layer: the hidden owner of every form
// (which keeps the forms off the taskbar) and the message loop.
#include <windows.h>

#include <functional>

namespace velmora {

HWND ApplicationWindow();

// Runs until WM_QUIT and returns its exit code. Tab and arrow keys move
// between the controls of the program's forms.
int RunMessageLoop();

// A look at every message the loop takes, before it is dispatched; a filter
// that returns true has handled it. The program's keys that belong to no one
// window (the session's Ctrl+Z, the global hotkey) are read here.
void SetMessageFilter(std::function<bool(const MSG&)> filter);

// Handles every waiting message and returns.
void ProcessMessages();

// Registers the common controls the layer uses (track bar, tool tips) once.
void InitCommonControlsOnce();

}  // namespace velmora
