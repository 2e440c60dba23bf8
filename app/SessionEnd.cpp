// The toolbar, as the main window, hears of the end of the Windows session
// (logoff, shutdown) and of the setup's request to exit before it replaces the
// program: the settings are written then as "Exit" writes them.
#include "app/Unit1.h"
#include "base/Product.h"

namespace velmora {

LRESULT TForm1::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  static const UINT exitRequest = RegisterWindowMessageA(kExitRequestMessage);
  if (msg == exitRequest && exitRequest != 0) {
    SaveSettingsAndExit();
    return 0;
  }
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
