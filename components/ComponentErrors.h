#pragma once
// An exception thrown by an event handler of a component (a click on the
// notification icon, a timer tick) must not cross the system's window
// procedure. The components' windows catch it and report it here; the
// program connects its error box, and until it does a plain stop box titled
// "Velmora" shows the message.
#include <exception>
#include <functional>

namespace velmora {

using ComponentErrorHandler = std::function<void(std::exception_ptr error)>;

// An empty handler restores the plain box.
void SetComponentErrorHandler(ComponentErrorHandler handler);
void ReportComponentError(std::exception_ptr error) noexcept;

}  // namespace velmora
