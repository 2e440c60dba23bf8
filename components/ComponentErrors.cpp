#include "components/ComponentErrors.h"

#include <windows.h>

#include <stdexcept>
#include <string>

#include "base/CodePage.h"
#include "base/Product.h"

namespace velmora {
namespace {

ComponentErrorHandler& Handler() {
  static ComponentErrorHandler handler;
  return handler;
}

void ShowStopBox(std::exception_ptr error) {
  std::string text = "Unknown error";
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
  }
  if (text.empty() || text.back() != '.') text += '.';
  MessageBoxW(nullptr, Utf8ToWide(text).c_str(), Utf8ToWide(kApplicationTitle).c_str(),
              MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

}  // namespace

void SetComponentErrorHandler(ComponentErrorHandler handler) {
  Handler() = std::move(handler);
}

void ReportComponentError(std::exception_ptr error) noexcept {
  try {
    // A copy, so a handler that replaces itself stays alive while it runs.
    const ComponentErrorHandler handler = Handler();
    if (handler) {
      handler(error);
    } else {
      ShowStopBox(error);
    }
  } catch (...) {
    // Nothing is left to report a failing report to.
  }
}

}  // namespace velmora
