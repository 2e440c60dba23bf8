// Program entry of KVX.exe: creates every window hidden and runs the message
// loop; the toolbar's start-up timer does the rest.
#include <windows.h>
#include <ole2.h>

#include "about/about.h"
#include "app/ScreenGrab.h"
#include "app/SessionKeys.h"
#include "app/SingleInstance.h"
#include "app/Unit1.h"
#include "components/ComponentErrors.h"
#include "copywindow/copywindow.h"
#include "note/note.h"
#include "options/options.h"
#include "picture/Unit2.h"
#include "picture/brushsize.h"
#include "message/messgae.h"
#include "ui/Application.h"
#include "winbase/ErrorBox.h"

namespace {

// DLLs are loaded from the system folder only, so one planted beside KVX.exe
// is never loaded. Windows 7 has the call only with its update KB2533623.
void RestrictDllSearch() {
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  const auto set = kernel ? reinterpret_cast<SetDirectories>(
                                reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                          : nullptr;
  if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace velmora;
  RestrictDllSearch();
  // A second start in the same work directory ends here, before any window or icon.
  if (!ClaimWorkDirectory()) return 0;
  InitCommonControlsOnce();
  // Files dropped from Explorer come through OLE; the dialogs like it too.
  OleInitialize(nullptr);
  // Errors raised in the icon's and the timers' own windows get the same box as the forms'.
  SetComponentErrorHandler([](std::exception_ptr error) {
    try {
      std::rethrow_exception(error);
    } catch (...) {
      ReportCurrentException();
    }
  });

  // The toolbar is the main window; creating it puts the icon in the notification area.
  Form1();
  Form2();
  Form3();
  Form4();
  Form5();
  Form7();
  Form6();
  Form10();
  Form7().OnSaveSettings([] {
    RegisterHotKeys(Form1());
    Form1().SaveSettings();
  });

  const int code = RunMessageLoop();
  KeepGrabOnClipboard();
  Form1().cti.reset();  // the icon leaves the notification area with the program
  return code;
}
