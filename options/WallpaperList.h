#pragma once
// The wallpaper list "wl.ini": full paths of pictures (JPEG, PNG, WebP) and
// folders of them, one per line, and
// the list operations of the options window on plain data.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

inline constexpr char kWallpaperListFileName[] = "wl.ini";

// Entries of the file's text: a line ends at CR, LF or CR LF; every line is an
// entry, empty ones included; a last line without a line end is an entry too;
// a NUL ends the reading.
std::vector<std::string> ParseWallpaperList(const std::string& text);

// Every entry followed by CR LF; an empty list is an empty text.
std::string WallpaperListText(const std::vector<std::string>& paths);

// Reads the file, an entry naming an existing folder taken as that folder's
// entry with or without its backslash; a file that cannot be opened raises
// "Cannot open file "<path>". <system reason>".
std::vector<std::string> LoadWallpaperList(const std::string& path);

// Writes the file whole through a temporary file; raises the file error.
void SaveWallpaperList(const std::string& path, const std::vector<std::string>& paths);

// An entry ending in a backslash stands for a folder: at each change its
// pictures, read anew, stand in the list in its place.
bool IsFolderEntry(const std::string& entry);
// The pictures of a folder entry, full paths, in the order the system lists
// them; folders within it are not entered.
using FolderPictures = std::function<std::vector<std::string>(const std::string& folder)>;
// The list as the rotation takes it: each folder entry replaced by its
// pictures (JPEG, PNG, WebP) sorted by name as Explorer sorts them (letter
// case aside, numbers by their value), or, with a
// `folderShuffle` other than 0, in an order that number shuffles them into:
// the same at every reading, a picture copied in later taking a place of
// its own among the others.
std::vector<std::string> ExpandWallpaperList(const std::vector<std::string>& entries, const FolderPictures& pictures,
                                             std::uint32_t folderShuffle = 0);

// The display names: each path's file name without its extension; a folder
// entry shows its folder's name and how many pictures it holds.
std::vector<std::string> DisplayNames(const std::vector<std::string>& paths, const FolderPictures& pictures = {});

// The rotation: the entry after `current` (compared without regard to
// letter case), the first one when `current` is the last entry or not in the
// list; nothing when the list holds fewer than two entries.
// With `place`, the position the rotation last took: when that entry is
// still `current`, the rotation goes on after it, so a picture listed twice
// (or listed and also in a listed folder) does not hold it back.
std::optional<size_t> NextWallpaperIndex(const std::vector<std::string>& paths, const std::string& current,
                                         std::optional<size_t> place = std::nullopt);

// Removes the selected entries from both parallel lists, rescanning from the
// top after each removal; the others keep their order.
void RemoveSelected(std::vector<std::string>& names, std::vector<std::string>& paths,
                    std::vector<bool>& selected);

// The options window's shuffle of a list of n entries: for each position i
// from 0 to n-1 in turn, a position a is drawn uniformly from 0 to n-1 by
// `draw(n)` and `move(i, a)` takes the entry at i out and puts it at a. A
// sequence of moves, not swaps; both lists of the window get the same moves.
using RandomDraw = std::function<size_t(size_t n)>;
void MoveShuffle(size_t n, const RandomDraw& draw, const std::function<void(size_t from, size_t to)>& move);

// A draw from a generator seeded from the clock at this call.
RandomDraw ClockSeededDraw();

// A new shuffle of the folders' pictures from the draw, never 0 (by name).
std::uint32_t NewFolderShuffle(const RandomDraw& draw);
// The settings' line for it: empty for by name, else the number; a line
// that is not such a number reads as by name.
std::string FolderShuffleText(std::uint32_t shuffle);
std::uint32_t FolderShuffleFromText(const std::string& text);

// Texts of the options window.
inline constexpr char kSelectWallpapersFirst[] = "Select wallpapers first!";

}  // namespace velmora
