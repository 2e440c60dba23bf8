#pragma once
// The keys that no single control owns: the global hotkey, which does what a
// click on the icon does, and, on the toolbar or the drawing surface, the
// tool keys (B brush, L line, A arrow, R rectangle, E ellipse, N number,
// H highlighter) and Ctrl+Z and Ctrl+Y, which take the session's last step
// back and redo it.
#include <windows.h>

namespace velmora {

class TForm1;

// Puts the program's key handling in front of the message loop's dispatch.
void WireSessionKeys(TForm1& toolbar);

// True when the message was one of these keys and has been acted on.
bool HandleSessionKey(TForm1& toolbar, const MSG& msg);

// Registers the hotkeys the options window holds (the notepad's and "Next
// wallpaper"'s), in place of the ones before. When another program holds
// one, the icon's balloon says so, once for each key, and the icon works as
// ever.
void RegisterHotKeys(TForm1& toolbar);

}  // namespace velmora
