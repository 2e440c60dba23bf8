#pragma once
// The utility library's system routines: registry strings, synthetic key
// presses and the "-Ver$" version switch. The path and digit routines are in
// PathUtil.h and need no system.
#include <windows.h>

#include <string>
#include <vector>

#include "shellutil/PathUtil.h"

namespace velmora {

// Reads a string value of an existing key under `root`. An absent key or value
// gives an empty text; a value that is not a string raises
// "Invalid data type for '<name>'". The key is never created.
std::string RegReadString(HKEY root, const std::string& key, const std::string& name);
std::string RegReadMachineString(const std::string& key, const std::string& name);

// Writes a REG_SZ value into an existing key under `root` (never creating the
// key); raises "Failed to set data for '<name>'" when the key cannot be opened
// or the system refuses the write.
void RegWriteString(HKEY root, const std::string& key, const std::string& name, const std::string& value);
void RegWriteMachineString(const std::string& key, const std::string& name, const std::string& value);

// Deletes a value of an existing key under `root`; the outcome is not reported.
void RegDeleteStringValue(HKEY root, const std::string& key, const std::string& name);
void RegDeleteMachineValue(const std::string& key, const std::string& name);

// The process's current directory; empty when the system cannot tell it.
std::string CurrentDirectoryPath();
// The full path of the running program's file; empty when the system cannot tell it.
std::string ProgramFilePath();
// False when the system refuses; the current directory then stays as it was.
bool SetCurrentDirectoryPath(const std::string& path);
// True when the path names a file, not a folder. A relative path is taken
// from the current directory; names compare without regard to case.
bool IsExistingFile(const std::string& path);
// Whether the path names an existing folder.
bool IsExistingFolder(const std::string& path);
// The files of a folder (a path ending in a backslash), full paths, its
// sub-folders left out; none when it cannot be read.
std::vector<std::string> FolderFiles(const std::string& folder);

void SendKeyDown(BYTE virtualKey);
void SendKeyUp(BYTE virtualKey);
// Press and release with no pause between them.
void PressKey(BYTE virtualKey);

// When the program's first command-line argument is exactly "-Ver$", shows the
// program and library versions in an information box and returns true once
// the user has closed it.
bool ShowVersionOnSwitch(const std::string& programVersion);

// The version message, LF CR between its two parts.
std::wstring VersionMessage(const std::string& programVersion);

// The first argument is exactly "-Ver$" in this command line.
bool HasVersionSwitch(const wchar_t* commandLine);

}  // namespace velmora
