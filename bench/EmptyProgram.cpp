// The anchor of the start-up timing: a Windows program that does nothing but
// leave the same mark KVX.exe leaves when its icon is shown, then end.
#include <windows.h>

#include "base/TimingLog.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  velmora::TimingMark("icon");
  return 0;
}
