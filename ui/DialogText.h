#pragma once
// The texts the system's open dialog takes and gives, as plain data.
#include <string>
#include <vector>

namespace velmora {

// A filter written "description|pattern|description|pattern" in the dialog's
// form: every part ended by a NUL, and one more NUL at the end.
std::wstring FilterBuffer(const std::wstring& filter);

// The chosen files from the dialog's buffer: a single full path ended by
// NUL, NUL; or, for several files, the directory and then each name, each
// ended by a NUL, and one more NUL at the end. The files keep the dialog's
// order. An empty buffer gives none.
std::vector<std::wstring> SplitOpenFileNames(const std::wstring& buffer);

}  // namespace velmora
