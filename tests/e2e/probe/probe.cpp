// probe: answers the end-to-end tests' questions that a screenshot cannot.
//
// Every answer is one JSON object per line (UTF-8, LF), so the tests parse it
// with json.loads whatever the window texts contain (Cyrillic, CR, LF ...).
//
//   probe windows [--pid N | --exe NAME]   visible top-level windows, the foreground one marked
//   probe msgbox  [--pid N | --exe NAME]   visible message boxes with their children
//   probe click HWND                       presses a button (BM_CLICK)
//   probe processes [--exe NAME]           running processes, with their image file and working set in bytes
//   probe resources PID                    what a process holds: the system's GDI and USER counts,
//                                          the program's own counts of what it owns, its memory
//   probe clipboard-formats                formats on the clipboard
//   probe hold [--repaint-taskbar]         waits forever (keeps the desktop alive);
//                                          repaints the taskbar after settings changes
//   probe set-wallpaper PATH               sets the desktop wallpaper ("" for none)
//   probe registry KEY VALUE               a string value of HKCU\... or HKLM\... as the program
//                                          reads it, Unicode kept ("reg query" gives it in the
//                                          console's code page); no answer when it is missing
//   probe workarea                         the work area the system gives programs
//   probe monitors                         each monitor: its rectangle, work area and primary flag
//   probe bits                             32 or 64: whether this build runs here at all
//   probe redraw HWND                      paints a window and its children anew
//   probe children HWND                    child windows, with their client areas on the screen;
//                                          list boxes with their entries
//   probe pattern LEFT TOP WIDTH HEIGHT    shows a borderless window of a known pattern until ended
//   probe lock PATH                        holds the file open without sharing until ended
//   probe forget-keys                      clears the keys' "pressed since asked" bits
//   probe hotkey MODIFIERS KEY             holds a global hotkey (RegisterHotKey's numbers) until ended
//   probe watch CLASS [--pid N | --exe NAME] [--timeout S]
//                                          the visible windows' classes at each change, until a
//                                          window of CLASS has shown and gone again (exit 1 on timeout)
//   probe drag-files X Y PATH...           a small square at X, Y standing for the files: a press
//                                          on it drags them as Explorer does, until the release
//                                          (the test moves the pointer meanwhile)
//
// Exit code 0 on success (an empty answer is a success), 2 on a usage error,
// 3 on a fault of the probe's own, and kNo (4) when the command could not do
// what it was asked (no such window, a timeout ...). 64-bit Wine now and then
// fails to start a process at all ("failed to map the shared user data"), and
// ends it with 1 before any of its code runs: 1 is left to that, so the tests
// can tell it apart and ask again.

#include <windows.h>
#include <tlhelp32.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <cwchar>
#include <string>
#include <vector>

#include "probe.h"


std::string RectJson(const RECT& r) {
  char text[64];
  std::snprintf(text, sizeof text, "[%ld, %ld, %ld, %ld]", r.left, r.top, r.right, r.bottom);
  return text;
}

// Written with WriteFile so the bytes reach the file exactly (no CRT newline
// or code-page translation).
void PrintLine(const std::string& line) {
  const std::string withEnd = line + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), withEnd.data(), static_cast<DWORD>(withEnd.size()), &written,
            nullptr);
}

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                      nullptr);
  return out;
}

// A JSON string literal; the text is converted to UTF-8 first, so only ASCII
// control characters need escapes.
std::string Quote(const std::wstring& text) {
  std::string out = "\"";
  for (const char c : Utf8(text)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// A handle at its full width: 64-bit Wine sign-extends window handles whose
// generation has its top bit set, which a long test run reaches.
std::string Hex(const void* handle) {
  char text[24];
  std::snprintf(text, sizeof text, "\"0x%llx\"",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(handle)));
  return text;
}

HWND ParseHandle(const wchar_t* text) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(std::wcstoull(text, nullptr, 0)));
}

std::wstring WindowText(HWND hwnd) {
  // WM_GETTEXT, unlike GetWindowTextW across processes, also reads what a user
  // typed into an edit control; the timeout keeps a hung program from hanging
  // the probe, which then falls back to the text the window stores.
  DWORD_PTR length = 0;
  if (SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                            SMTO_ABORTIFHUNG, 2000, &copied)) {
      text.resize(copied);
      return text;
    }
  }
  wchar_t text[4096] = {};
  GetWindowTextW(hwnd, text, 4096);
  return text;
}

std::wstring ClassName(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  return name;
}

DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

struct Process {
  DWORD pid;
  DWORD parent;
  std::wstring exe;
};

std::vector<Process> Processes() {
  std::vector<Process> result;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return result;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    result.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile});
  CloseHandle(snapshot);
  return result;
}

std::wstring ExeOf(DWORD pid) {
  for (const auto& p : Processes())
    if (p.pid == pid) return p.exe;
  return {};
}

// Which processes a command asks about: --pid N, --exe NAME, or all.
struct Filter {
  DWORD pid = 0;
  std::wstring exe;
  bool Accepts(DWORD windowPid) const {
    if (pid != 0 && windowPid != pid) return false;
    if (!exe.empty() && lstrcmpiW(ExeOf(windowPid).c_str(), exe.c_str()) != 0) return false;
    return true;
  }
};

bool ParseFilter(int argc, wchar_t** argv, int first, Filter& filter) {
  for (int i = first; i < argc; ++i) {
    if (i + 1 < argc && std::wcscmp(argv[i], L"--pid") == 0) {
      filter.pid = static_cast<DWORD>(std::wcstoul(argv[++i], nullptr, 10));
    } else if (i + 1 < argc && std::wcscmp(argv[i], L"--exe") == 0) {
      filter.exe = argv[++i];
    } else {
      return false;
    }
  }
  return true;
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string WindowJson(const char* kind, HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  const DWORD pid = ProcessOf(hwnd);
  return std::string("{\"kind\": \"") + kind + "\", \"hwnd\": " + Hex(hwnd) +
         ", \"pid\": " + std::to_string(pid) + ", \"exe\": " + Quote(ExeOf(pid)) +
         ", \"class\": " + Quote(ClassName(hwnd)) + ", \"title\": " + Quote(WindowText(hwnd)) +
         ", \"rect\": " + RectJson(rect);
}

// The client area in screen pixels.
RECT ClientOnScreen(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

// Wine's X window for a top-level window (0 on Windows): Wine hands a key to
// the thread whose X window holds the X focus, so the rig moves that focus to
// the foreground window before it types.
unsigned long long XWindowOf(HWND hwnd) {
  return reinterpret_cast<uintptr_t>(GetPropA(hwnd, "__wine_x11_whole_window"));
}

int ListWindows(const Filter& filter) {
  for (HWND hwnd : TopLevelWindows()) {
    if (!IsWindowVisible(hwnd) || !filter.Accepts(ProcessOf(hwnd))) continue;
    const std::string line = WindowJson("window", hwnd) + ", \"client\": " + RectJson(ClientOnScreen(hwnd)) +
                             ", \"foreground\": " + (hwnd == GetForegroundWindow() ? "true" : "false") +
                             ", \"xwindow\": " + std::to_string(XWindowOf(hwnd)) + "}";
    // A window that went while it was asked about (a balloon, a closing menu)
    // answered with empty values: it is no longer there to list.
    if (IsWindow(hwnd)) PrintLine(line);
  }
  return 0;
}

// A message box: the box, then each child (icon, message text, buttons) in
// order. The message is the static control with id 0xFFFF, as in Windows.
int ListMessageBoxes(const Filter& filter) {
  for (HWND box : TopLevelWindows()) {
    if (!IsWindowVisible(box) || ClassName(box) != L"#32770" || !filter.Accepts(ProcessOf(box))) continue;
    HWND message = GetDlgItem(box, 0xFFFF);
    PrintLine(WindowJson("msgbox", box) + ", \"text\": " + Quote(message ? WindowText(message) : L"") + "}");
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT rect{};
      GetWindowRect(child, &rect);
      PrintLine("{\"kind\": \"control\", \"parent\": " + Hex(box) + ", \"hwnd\": " + Hex(child) +
                ", \"id\": " + std::to_string(GetDlgCtrlID(child)) +
                ", \"class\": " + Quote(ClassName(child)) + ", \"text\": " + Quote(WindowText(child)) +
                ", \"visible\": " + (IsWindowVisible(child) ? "true" : "false") +
                ", \"rect\": " + RectJson(rect) + "}");
    }
  }
  return 0;
}

int Click(const wchar_t* handleText) {
  auto hwnd = ParseHandle(handleText);
  if (!IsWindow(hwnd)) return kNo;
  // Posted, so a button whose handler opens another modal box does not block the probe.
  PostMessageW(hwnd, BM_CLICK, 0, 0);
  return 0;
}

// The full path of the process's program file ("" when it cannot be asked).
std::wstring ImageOf(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return {};
  wchar_t path[MAX_PATH * 2];
  DWORD size = MAX_PATH * 2;
  const bool ok = QueryFullProcessImageNameW(process, 0, path, &size);
  CloseHandle(process);
  return ok ? std::wstring(path, size) : std::wstring();
}

// The memory the process has in use (-1 when it cannot be asked).
long long WorkingSet(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) return -1;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  const bool ok = GetProcessMemoryInfo(process, &counters, sizeof counters);
  CloseHandle(process);
  return ok ? static_cast<long long>(counters.WorkingSetSize) : -1;
}

int ListProcesses(const Filter& filter) {
  for (const auto& p : Processes()) {
    if (!filter.exe.empty() && lstrcmpiW(p.exe.c_str(), filter.exe.c_str()) != 0) continue;
    PrintLine("{\"kind\": \"process\", \"pid\": " + std::to_string(p.pid) +
              ", \"parent\": " + std::to_string(p.parent) + ", \"exe\": " + Quote(p.exe) +
              ", \"image\": " + Quote(ImageOf(p.pid)) +
              ", \"memory\": " + std::to_string(WorkingSet(p.pid)) + "}");
  }
  return 0;
}

// Wine keeps no GDI or USER counts (GetGuiResources answers 0) nor private
// bytes (PrivateUsage 0); PagefileUsage is its private resident memory. The
// program's handle owners count what they own and answer the registered
// message "Velmora.OwnedHandles" (wParam 1: GDI, 2: USER); -1 when no window
// of the process answers.
int Resources(DWORD pid) {
  const UINT message = RegisterWindowMessageW(L"Velmora.OwnedHandles");
  DWORD_PTR owned[3] = {0, 0, 0};
  bool answered = false;
  for (HWND hwnd : TopLevelWindows()) {
    if (ProcessOf(hwnd) != pid) continue;
    // Every window of the program counts itself, so an answer of 0 is a window that does not know the message.
    if (SendMessageTimeoutW(hwnd, message, 2, 0, SMTO_ABORTIFHUNG, 5000, &owned[2]) && owned[2] &&
        SendMessageTimeoutW(hwnd, message, 1, 0, SMTO_ABORTIFHUNG, 5000, &owned[1])) {
      answered = true;
      break;
    }
  }
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) return kNo;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  const auto count = [&](DWORD_PTR value) { return answered ? std::to_string(value) : std::string("-1"); };
  PrintLine("{\"kind\": \"resources\", \"system_gdi\": " +
            std::to_string(GetGuiResources(process, GR_GDIOBJECTS)) +
            ", \"system_user\": " + std::to_string(GetGuiResources(process, GR_USEROBJECTS)) +
            ", \"gdi\": " + count(owned[1]) + ", \"user\": " + count(owned[2]) +
            ", \"working_set\": " + std::to_string(memory.WorkingSetSize) +
            ", \"pagefile\": " + std::to_string(memory.PagefileUsage) +
            ", \"private\": " + std::to_string(memory.PrivateUsage) + "}");
  CloseHandle(process);
  return 0;
}

std::wstring FormatName(UINT format) {
  static const struct {
    UINT id;
    const wchar_t* name;
  } kStandard[] = {
      {CF_TEXT, L"CF_TEXT"},
      {CF_BITMAP, L"CF_BITMAP"},
      {CF_METAFILEPICT, L"CF_METAFILEPICT"},
      {CF_SYLK, L"CF_SYLK"},
      {CF_DIF, L"CF_DIF"},
      {CF_TIFF, L"CF_TIFF"},
      {CF_OEMTEXT, L"CF_OEMTEXT"},
      {CF_DIB, L"CF_DIB"},
      {CF_PALETTE, L"CF_PALETTE"},
      {CF_RIFF, L"CF_RIFF"},
      {CF_WAVE, L"CF_WAVE"},
      {CF_UNICODETEXT, L"CF_UNICODETEXT"},
      {CF_ENHMETAFILE, L"CF_ENHMETAFILE"},
      {CF_HDROP, L"CF_HDROP"},
      {CF_LOCALE, L"CF_LOCALE"},
      {CF_DIBV5, L"CF_DIBV5"},
  };
  for (const auto& s : kStandard)
    if (s.id == format) return s.name;
  wchar_t name[256] = {};
  if (GetClipboardFormatNameW(format, name, 256) > 0) return name;
  return {};
}

int ListClipboardFormats() {
  if (!OpenClipboard(nullptr)) {
    PrintLine("{\"kind\": \"error\", \"text\": \"OpenClipboard failed\"}");
    return kNo;
  }
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
    PrintLine("{\"kind\": \"format\", \"id\": " + std::to_string(format) +
              ", \"name\": " + Quote(FormatName(format)) + "}");
  CloseClipboard();
  return 0;
}

// Sets the desktop wallpaper as the system's own settings would (an empty path
// shows the plain desktop colour), so each test starts from a known desktop.
int RegistryValue(const wchar_t* key, const wchar_t* name) {
  std::wstring path = key;
  HKEY root = HKEY_CURRENT_USER;
  if (path.rfind(L"HKLM\\", 0) == 0) root = HKEY_LOCAL_MACHINE;
  else if (path.rfind(L"HKCU\\", 0) != 0) return 2;
  path.erase(0, 5);
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return 0;
  DWORD type = 0, size = 0;
  std::wstring data;
  if (RegQueryValueExW(opened, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    data.assign(size / sizeof(wchar_t) + 1, L'\0');
    RegQueryValueExW(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    data.resize(std::wcslen(data.c_str()));
    PrintLine("{\"type\": " + std::string(type == REG_SZ ? "\"REG_SZ\"" : "\"REG_EXPAND_SZ\"") +
              ", \"data\": " + Quote(data) + "}");
  }
  RegCloseKey(opened);
  return 0;
}

int SetWallpaper(const wchar_t* path) {
  std::wstring buffer = path;
  return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, buffer.data(), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)
             ? 0
             : kNo;
}

// A list box's entries (LB_GETTEXT is carried across processes), which are
// selected, and the height of one entry.
std::string ListBoxJson(HWND list) {
  std::string items = "[", selected = "[";
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    items += (i ? ", " : "") + Quote(text);
    if (SendMessageW(list, LB_GETSEL, i, 0) > 0)
      selected += (selected.size() > 1 ? ", " : "") + std::to_string(i);
  }
  return ", \"items\": " + items + "], \"selected\": " + selected +
         "], \"item_height\": " + std::to_string(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0)) +
         ", \"top_index\": " + std::to_string(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
}

int Redraw(const wchar_t* handleText) {
  auto hwnd = ParseHandle(handleText);
  if (!IsWindow(hwnd)) return kNo;
  RedrawWindow(hwnd, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return 0;
}

// What Windows sends every top-level window of a process at a logoff, shown
// or not: the question, then the end. Prints each window's answer.
BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

int EndSession(const wchar_t* pidText) {
  const DWORD pid = std::wcstoul(pidText, nullptr, 10);
  std::vector<HWND> all;
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&all));
  for (HWND hwnd : all) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != pid) continue;
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &answer);
    SendMessageTimeoutW(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, nullptr);
    PrintLine("{\"class\": " + Quote(ClassName(hwnd)) + ", \"answer\": " + std::to_string(answer) + "}");
  }
  return 0;
}

int ListChildren(const wchar_t* handleText) {
  auto parent = ParseHandle(handleText);
  if (!IsWindow(parent)) return kNo;
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) {
    RECT client{};
    GetClientRect(child, &client);
    MapWindowPoints(child, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const bool list = lstrcmpiW(ClassName(child).c_str(), L"ListBox") == 0;
    const std::string line = WindowJson("child", child) + ", \"client\": " + RectJson(client) +
                             ", \"visible\": " + (IsWindowVisible(child) ? "true" : "false") +
                             (list ? ListBoxJson(child) : "") + "}";
    if (IsWindow(child)) PrintLine(line);
  }
  return 0;
}

// The pattern's colour at a client pixel: red and green count the column and
// the row, blue tells the 256-pixel tiles apart (never the copy window's
// see-through sky blue). tests/e2e/copywin.py computes the same.
std::uint32_t PatternPixel(int x, int y) {
  const int red = x % 256, green = y % 256, blue = 20 + 40 * (x / 256) + 10 * (y / 256);
  return static_cast<std::uint32_t>(red << 16 | green << 8 | blue);
}

LRESULT CALLBACK PatternProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT client{};
      GetClientRect(hwnd, &client);
      const int width = client.right, height = client.bottom;
      std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels[static_cast<size_t>(y) * width + x] = PatternPixel(x, y);
      BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof(info.bmiHeader);
      info.bmiHeader.biWidth = width;
      info.bmiHeader.biHeight = -height;
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 32;
      info.bmiHeader.biCompression = BI_RGB;
      SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

int ShowPattern(int left, int top, int width, int height) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = PatternProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"VelmoraPattern";
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  if (!RegisterClassW(&windowClass)) return kNo;
  HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"VelmoraPattern", L"pattern", WS_POPUP | WS_VISIBLE, left,
                              top, width, height, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (!hwnd) return kNo;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

int WorkArea() {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  std::printf("{\"workarea\": [%ld, %ld, %ld, %ld]}\n", area.left, area.top, area.right, area.bottom);
  return 0;
}

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  PrintLine("{\"kind\": \"monitor\", \"name\": " + Quote(info.szDevice) + ", \"rect\": " +
            RectJson(info.rcMonitor) + ", \"work\": " + RectJson(info.rcWork) +
            ", \"primary\": " + ((info.dwFlags & MONITORINFOF_PRIMARY) ? "true" : "false") + "}");
  return TRUE;
}

int ListMonitors() { return EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0) ? 0 : kNo; }

// 64-bit Wine's desktop paints a new wallpaper over the taskbar and leaves it
// so, which a Windows taskbar never allows. The holder stands in for that: after
// every settings change it lets the desktop finish painting, then repaints the
// taskbar, so a program sees the same desktop under either Wine.
void RepaintTaskbar() {
  RedrawWindow(GetDesktopWindow(), nullptr, nullptr, RDW_UPDATENOW);
  if (HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr)) {
    RedrawWindow(taskbar, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}

constexpr UINT_PTR kRepaintTimer = 1;

LRESULT CALLBACK HolderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTINGCHANGE || message == WM_DISPLAYCHANGE) {
    RepaintTaskbar();
    // Once more when the desktop's own repaint has surely run.
    SetTimer(window, kRepaintTimer, 300, nullptr);
    return 0;
  }
  if (message == WM_TIMER && wParam == kRepaintTimer) {
    KillTimer(window, kRepaintTimer);
    RepaintTaskbar();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Keeps the virtual desktop alive for the whole run (a desktop ends with its
// last program) and keeps its taskbar painted.
int Hold(bool repaintTaskbar) {
  if (repaintTaskbar) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = HolderProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VelmoraProbeHolder";
    RegisterClassW(&windowClass);
    // A hidden top-level window: broadcasts reach top-level windows only.
    CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                    windowClass.hInstance, nullptr);
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

// Polls the filter's visible top-level windows; prints their classes at each
// change, until a window of `cls` has been seen and is gone again.
int Watch(const std::wstring& cls, const Filter& filter, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  std::multiset<std::wstring> last;
  bool seen = false;
  bool first = true;
  while (GetTickCount() - start < timeoutMs) {
    std::multiset<std::wstring> now;
    for (HWND hwnd : TopLevelWindows())
      if (IsWindowVisible(hwnd) && filter.Accepts(ProcessOf(hwnd))) now.insert(ClassName(hwnd));
    if (first || now != last) {
      std::string list = "[";
      for (const auto& name : now) list += (list.size() > 1 ? ", " : "") + Quote(name);
      PrintLine("{\"kind\": \"state\", \"ms\": " + std::to_string(GetTickCount() - start) +
                ", \"visible\": " + list + "]}");
      last = now;
      first = false;
    }
    const bool shown = now.count(cls) > 0;
    if (seen && !shown) return 0;
    seen = seen || shown;
    Sleep(5);
  }
  return kNo;
}

// Holds the file open with no sharing, as a program that has it open does,
// until the probe is ended.
int LockFile(const wchar_t* path) {
  HANDLE file = CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return kNo;
  PrintLine("{\"kind\": \"lock\", \"state\": \"locked\", \"pid\": " + std::to_string(GetCurrentProcessId()) +
            "}");
  Sleep(INFINITE);
  return 0;
}

// Holds a global hotkey, as another program would, until ended.
int HoldHotKey(UINT modifiers, UINT key) {
  if (!RegisterHotKey(nullptr, 1, modifiers, key)) return kNo;
  PrintLine("{\"kind\": \"hotkey\", \"state\": \"held\", \"pid\": " + std::to_string(GetCurrentProcessId()) +
            "}");
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
  }
  return 0;
}

int Usage() {
  std::fputs(
      "usage: probe windows|msgbox [--pid N | --exe NAME]\n"
      "       probe click HWND | processes [--exe NAME] | resources PID | clipboard-formats\n"
      "       probe hold [--repaint-taskbar]\n"
      "       probe set-wallpaper PATH | registry KEY VALUE | workarea | monitors | bits\n"
      "       probe redraw HWND | children HWND\n"
      "       probe end-session PID\n"
      "       probe pattern LEFT TOP WIDTH HEIGHT | lock PATH | forget-keys | drag-files X Y PATH...\n"
      "       probe hotkey MODIFIERS KEY\n"
      "       probe watch CLASS [--pid N | --exe NAME] [--timeout S]\n",
      stderr);
  return 2;
}

}  // namespace

// A fault in the probe says what and where instead of ending it without a
// word, so a failing query can be told from a failing program.
LONG WINAPI ReportFault(EXCEPTION_POINTERS* info) {
  char text[128];
  std::snprintf(text, sizeof text, "probe: exception 0x%08lx at %p\n",
                static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                info->ExceptionRecord->ExceptionAddress);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
  ExitProcess(3);
}

int Run(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring command = argv[1];
  Filter filter;
  if (command == L"windows") return ParseFilter(argc, argv, 2, filter) ? ListWindows(filter) : Usage();
  if (command == L"msgbox") return ParseFilter(argc, argv, 2, filter) ? ListMessageBoxes(filter) : Usage();
  if (command == L"processes") return ParseFilter(argc, argv, 2, filter) ? ListProcesses(filter) : Usage();
  if (command == L"click" && argc == 3) return Click(argv[2]);
  if (command == L"resources" && argc == 3) return Resources(std::wcstoul(argv[2], nullptr, 10));
  if (command == L"clipboard-formats" && argc == 2) return ListClipboardFormats();
  if (command == L"set-wallpaper" && argc == 3) return SetWallpaper(argv[2]);
  if (command == L"registry" && argc == 4) return RegistryValue(argv[2], argv[3]);
  if (command == L"workarea" && argc == 2) return WorkArea();
  if (command == L"monitors" && argc == 2) return ListMonitors();
  // The rig's test whether programs of this build run here at all.
  if (command == L"bits" && argc == 2)
    return std::printf("{\"bits\": %u}\n", unsigned(sizeof(void*) * 8)) < 0;
  if (command == L"hold" && argc == 2) return Hold(false);
  if (command == L"hold" && argc == 3 && std::wcscmp(argv[2], L"--repaint-taskbar") == 0) return Hold(true);
  if (command == L"redraw" && argc == 3) return Redraw(argv[2]);
  if (command == L"children" && argc == 3) return ListChildren(argv[2]);
  if (command == L"end-session" && argc == 3) return EndSession(argv[2]);
  if (command == L"pattern" && argc == 6)
    return ShowPattern(_wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]));
  if (command == L"lock" && argc == 3) return LockFile(argv[2]);
  if (command == L"hotkey" && argc == 4)
    return HoldHotKey(static_cast<UINT>(_wtoi(argv[2])), static_cast<UINT>(_wtoi(argv[3])));
  if (command == L"forget-keys" && argc == 2) {
    // The "pressed since the last call" bit is the system's, not the caller's:
    // asking once takes it from keys typed before.
    for (int key = 1; key < 256; ++key) GetAsyncKeyState(key);
    return 0;
  }
  if (command == L"drag-files" && argc >= 5)
    return DragFiles(std::wcstol(argv[2], nullptr, 10), std::wcstol(argv[3], nullptr, 10),
                     std::vector<std::wstring>(argv + 4, argv + argc));
  if (command == L"watch" && argc >= 3) {
    DWORD timeoutMs = 30000;
    int end = argc;
    if (argc >= 5 && std::wcscmp(argv[argc - 2], L"--timeout") == 0) {
      timeoutMs = static_cast<DWORD>(std::wcstoul(argv[argc - 1], nullptr, 10) * 1000);
      end = argc - 2;
    }
    return ParseFilter(end, argv, 3, filter) ? Watch(argv[2], filter, timeoutMs) : Usage();
  }
  return Usage();
}

int wmain(int argc, wchar_t** argv) {
  SetUnhandledExceptionFilter(ReportFault);
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "probe: %s\n", error.what());
    return 3;
  }
}
