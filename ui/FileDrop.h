#pragma once
// Files dropped from the shell (Explorer) onto a window, through OLE drag and
// drop. OLE must be initialised on the thread (OleInitialize) for a window to
// accept drops.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace velmora {

using FileDropHandler = std::function<void(const std::vector<std::wstring>& files)>;

class FileDropTarget {
 public:
  FileDropTarget();
  ~FileDropTarget();
  FileDropTarget(const FileDropTarget&) = delete;
  FileDropTarget& operator=(const FileDropTarget&) = delete;

  // Lets `hwnd` take dropped files: the drag shows the copy cursor over it,
  // and after a drop the handler gets the files' full paths in the order the
  // source gave them. The handler runs from the message loop once the drop
  // has returned to its source, so its message boxes do not hold the source
  // up. False when OLE is not initialised on this thread.
  bool Register(HWND hwnd, FileDropHandler onDrop);
  void Revoke();

 private:
  class Target;
  class Deferral;

  HWND hwnd_ = nullptr;
  Target* target_ = nullptr;  // a COM object: its references keep it alive
  std::unique_ptr<Deferral> deferral_;
};

}  // namespace velmora
