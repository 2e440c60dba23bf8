#pragma once
// The program-wide pieces of the window layer: the hidden owner of every form
// (which keeps the forms off the taskbar) and the message loop.
#include <windows.h>

namespace velmora {

HWND ApplicationWindow();

// Runs until WM_QUIT and returns its exit code. Tab and arrow keys move
// between the controls of the program's forms.
int RunMessageLoop();

// Handles every waiting message and returns.
void ProcessMessages();

// Registers the common controls the layer uses (track bar, tool tips) once.
void InitCommonControlsOnce();

}  // namespace velmora
