#pragma once
// The keys of a drawing session that no single control owns: Ctrl+Z and
// Ctrl+Y on the toolbar or the drawing surface take the last step back and
// redo it.
#include <windows.h>

namespace velmora {

class TForm1;

// Puts the program's key handling in front of the message loop's dispatch.
void WireSessionKeys(TForm1& toolbar);

// True when the message was a session key and has been acted on.
bool HandleSessionKey(TForm1& toolbar, const MSG& msg);

}  // namespace velmora
