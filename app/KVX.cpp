// Program entry of KVX.exe.
#include <windows.h>

#include "base/Product.h"
#include "shellutil/ShellUtil.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  velmora::ShowVersionOnSwitch(velmora::kBuildTag);
  return 0;
}
