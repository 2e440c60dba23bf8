#include "options/WallpaperList.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>

#include "base/CodePage.h"
#include "base/Errors.h"
#include "base/FileReplace.h"
#include "base/FileSystem.h"
#include "base/SystemError.h"
#include "base/TextFile.h"
#include "options/Preview.h"
#include "shellutil/PathUtil.h"

namespace velmora {
namespace {

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> ParseWallpaperList(const std::string& text) {
  std::vector<std::string> entries;
  const size_t end = std::min(text.find('\0'), text.size());
  size_t pos = 0;
  while (pos < end) {
    size_t stop = pos;
    while (stop < end && text[stop] != '\r' && text[stop] != '\n') ++stop;
    entries.push_back(text.substr(pos, stop - pos));
    if (stop < end) stop += text[stop] == '\r' && stop + 1 < end && text[stop + 1] == '\n' ? 2 : 1;
    pos = stop;
  }
  return entries;
}

std::string WallpaperListText(const std::vector<std::string>& paths) {
  return JoinLinesCrLf(paths);
}

std::vector<std::string> LoadWallpaperList(const std::string& path) {
  std::optional<std::string> text = ReadFileIfOpens(path);
  if (!text) throw Error(Format("Cannot open file \"%s\". %s", path.c_str(), LastSystemErrorText().c_str()));
  std::vector<std::string> entries = ParseWallpaperList(DecodeTextFile(*text));
  // A folder written by hand without its backslash is a folder entry all the same.
  for (auto& entry : entries)
    if (!entry.empty() && !IsFolderEntry(entry) && IsFolder(entry)) entry += '\\';
  return entries;
}

void SaveWallpaperList(const std::string& path, const std::vector<std::string>& paths) {
  ReplaceFileContents(path, EncodeTextFile(WallpaperListText(paths)));
}

bool IsFolderEntry(const std::string& entry) { return !entry.empty() && entry.back() == '\\'; }

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// A picture's place in a shuffled folder: FNV-1a of the shuffle and the
// file's name, so the same name keeps its place at every reading and a
// picture copied in later lands at a place of its own.
std::uint64_t ShuffledPlace(std::uint32_t shuffle, const std::string& lowerName) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  const auto mix = [&hash](unsigned char c) {
    hash ^= c;
    hash *= 0x100000001b3ull;
  };
  for (int shift = 0; shift < 32; shift += 8) mix(static_cast<unsigned char>(shuffle >> shift));
  for (const char c : lowerName) mix(static_cast<unsigned char>(c));
  return hash;
}

// Explorer's order of names: letter case aside, and a run of digits by the
// number it writes, so "Shot (2)" comes before "Shot (10)".
bool ExplorerLess(const std::string& a, const std::string& b) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (digit(a[i]) && digit(b[j])) {
      while (i < a.size() && a[i] == '0') ++i;
      while (j < b.size() && b[j] == '0') ++j;
      size_t endA = i, endB = j;
      while (endA < a.size() && digit(a[endA])) ++endA;
      while (endB < b.size() && digit(b[endB])) ++endB;
      if (endA - i != endB - j) return endA - i < endB - j;
      const int order = a.compare(i, endA - i, b, j, endB - j);
      if (order != 0) return order < 0;
      i = endA;
      j = endB;
      continue;
    }
    if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
    ++i;
    ++j;
  }
  if ((i < a.size()) != (j < b.size())) return j < b.size();
  return a < b;  // equal but for leading zeros
}

std::vector<std::string> SortedPictures(const std::string& folder, const FolderPictures& pictures,
                                        std::uint32_t shuffle = 0) {
  struct Found {
    std::string path;
    std::string lower;
    std::uint64_t place;
  };
  std::vector<Found> found;
  if (pictures)
    for (auto& path : pictures(folder))
      if (IsPictureFileName(path)) {
        std::string lower = Lower(FileNameOf(path, true));
        const std::uint64_t place = shuffle ? ShuffledPlace(shuffle, lower) : 0;
        found.push_back({std::move(path), std::move(lower), place});
      }
  std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    return a.place != b.place ? a.place < b.place : ExplorerLess(a.lower, b.lower);
  });
  std::vector<std::string> sorted;
  sorted.reserve(found.size());
  for (auto& picture : found) sorted.push_back(std::move(picture.path));
  return sorted;
}

}  // namespace

std::vector<std::string> ExpandWallpaperList(const std::vector<std::string>& entries, const FolderPictures& pictures,
                                             std::uint32_t folderShuffle) {
  std::vector<std::string> list;
  for (const auto& entry : entries) {
    if (!IsFolderEntry(entry)) {
      list.push_back(entry);
      continue;
    }
    for (auto& path : SortedPictures(entry, pictures, folderShuffle)) list.push_back(std::move(path));
  }
  return list;
}

std::vector<std::string> DisplayNames(const std::vector<std::string>& paths, const FolderPictures& pictures) {
  std::vector<std::string> names;
  names.reserve(paths.size());
  for (const auto& path : paths) {
    if (!IsFolderEntry(path)) {
      names.push_back(FileNameOf(path, false));
      continue;
    }
    const size_t count = SortedPictures(path, pictures).size();
    names.push_back(FileNameOf(path.substr(0, path.size() - 1), true) + " (" + std::to_string(count) +
                    (count == 1 ? " picture)" : " pictures)"));
  }
  return names;
}

std::optional<size_t> NextWallpaperIndex(const std::vector<std::string>& paths, const std::string& current,
                                         std::optional<size_t> place) {
  if (paths.size() < 2) return std::nullopt;
  if (place && *place < paths.size() && SameTextIgnoringCase(paths[*place], current))
    return *place + 1 < paths.size() ? *place + 1 : 0;
  for (size_t i = 0; i < paths.size(); ++i)
    if (SameTextIgnoringCase(paths[i], current)) return i + 1 < paths.size() ? i + 1 : 0;
  return 0;
}

void RemoveSelected(std::vector<std::string>& names, std::vector<std::string>& paths,
                    std::vector<bool>& selected) {
  size_t i = 0;
  while (i < names.size()) {
    if (i < selected.size() && selected[i]) {
      names.erase(names.begin() + static_cast<long>(i));
      paths.erase(paths.begin() + static_cast<long>(i));
      selected.erase(selected.begin() + static_cast<long>(i));
      i = 0;
    } else {
      ++i;
    }
  }
}

void MoveShuffle(size_t n, const RandomDraw& draw, const std::function<void(size_t from, size_t to)>& move) {
  for (size_t i = 0; i < n; ++i) move(i, draw(n));
}

RandomDraw ClockSeededDraw() {
  auto generator = std::make_shared<std::mt19937>(
      static_cast<std::mt19937::result_type>(std::chrono::system_clock::now().time_since_epoch().count()));
  return [generator](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(*generator); };
}

std::uint32_t NewFolderShuffle(const RandomDraw& draw) {
  return static_cast<std::uint32_t>(draw(std::numeric_limits<std::uint32_t>::max())) + 1;
}

std::string FolderShuffleText(std::uint32_t shuffle) { return shuffle ? std::to_string(shuffle) : std::string(); }

std::uint32_t FolderShuffleFromText(const std::string& text) {
  if (text.empty() || text.size() > 10) return 0;
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  return value <= std::numeric_limits<std::uint32_t>::max() ? static_cast<std::uint32_t>(value) : 0;
}

}  // namespace velmora
