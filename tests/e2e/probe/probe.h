#pragma once
// What the probe's commands share: its JSON lines.
#include <windows.h>

#include <string>
#include <vector>

std::string RectJson(const RECT& r);
// One answer line, written byte for byte.
void PrintLine(const std::string& line);

constexpr int kNo = 4;  // the exit code of a command that could not do what it was asked

int DragFiles(int x, int y, std::vector<std::wstring> files);
