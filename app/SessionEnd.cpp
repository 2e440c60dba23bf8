// The toolbar, as the main window, hears of the end of the Windows session
// (logoff, shutdown): the settings are written then as "Exit" writes them.
#include "app/Unit1.h"

namespace velmora {

LRESULT TForm1::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_QUERYENDSESSION:
      return TRUE;  // nothing to ask the user: the settings are written at the end itself
    case WM_ENDSESSION:
      if (wParam) SaveSettings();
      return 0;
    default:
      return Form::HandleMessage(msg, wParam, lParam);
  }
}

}  // namespace velmora
