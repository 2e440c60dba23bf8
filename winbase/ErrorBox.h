#pragma once
// The framework's error box and plain message box.
#include <exception>
#include <functional>
#include <string>

namespace velmora {

// Shows an error box: title "Velmora", stop icon, the text with a full stop
// appended when it lacks one.
void ShowErrorBox(const std::string& message);

// What the window procedure's exception boundary does with the error box's
// text (the message with its full stop). The default shows the error box;
// tests put a recorder in its place.
using ErrorReporter = std::function<void(const std::string& boxText)>;
ErrorReporter SetErrorReporter(ErrorReporter reporter);  // returns the previous one

// Reports the exception being handled (call inside a catch block).
void ReportCurrentException() noexcept;
// Reports an error that was caught to let the program go on, as the window
// procedure's boundary would have.
void ReportException(const std::exception& error) noexcept;

// The plain message box: title "Velmora", one OK button, no icon.
void ShowMessage(const std::string& text);
// The same for a text the system's code page may not hold, such as a file name.
void ShowMessage(const std::wstring& text);

}  // namespace velmora
