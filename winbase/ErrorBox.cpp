#include "winbase/ErrorBox.h"

#include <windows.h>

#include <new>

#include "base/CodePage.h"
#include "base/Product.h"
#include "winbase/ErrorText.h"

namespace velmora {
namespace {

void ShowBox(const std::string& boxText) {
  // Topmost, so that the box is not lost under the drawing surface and toolbar.
  MessageBoxW(GetActiveWindow(), Utf8ToWide(boxText).c_str(), Utf8ToWide(kApplicationTitle).c_str(),
              MB_OK | MB_ICONERROR | MB_TOPMOST);
}

ErrorReporter& Reporter() {
  static ErrorReporter reporter = ShowBox;
  return reporter;
}

void Report(const char* message) noexcept {
  try {
    Reporter()(ErrorBoxText(message));
  } catch (...) {
    // A failing report must not let the exception cross the window procedure.
  }
}

}  // namespace

void ShowErrorBox(const std::string& message) {
  ShowBox(ErrorBoxText(message));
}

ErrorReporter SetErrorReporter(ErrorReporter reporter) {
  ErrorReporter previous = std::move(Reporter());
  Reporter() = reporter ? std::move(reporter) : ErrorReporter(ShowBox);
  return previous;
}

void ReportCurrentException() noexcept {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    Report("Out of memory");
  } catch (const std::exception& e) {
    ReportException(e);
  } catch (...) {
    Report("Unknown error");
  }
}

void ReportException(const std::exception& error) noexcept {
  Report(error.what());
}

void ShowMessage(const std::string& text) {
  MessageBoxW(GetActiveWindow(), Utf8ToWide(text).c_str(), Utf8ToWide(kApplicationTitle).c_str(), MB_OK);
}

void ShowMessage(const std::wstring& text) {
  MessageBoxW(GetActiveWindow(), text.c_str(), Utf8ToWide(kApplicationTitle).c_str(), MB_OK);
}

}  // namespace velmora
