#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "base/Errors.h"
#include "options/WallpaperList.h"

namespace velmora {
namespace {

using Paths = std::vector<std::string>;

TEST(WallpaperList, ReadsEveryLineWhateverItsEnding) {
  EXPECT_EQ(ParseWallpaperList(""), Paths{});
  EXPECT_EQ(ParseWallpaperList("C:\\a.jpg\r\n"), Paths{"C:\\a.jpg"});
  EXPECT_EQ(ParseWallpaperList("a\r\n\r\nb\r\n"), (Paths{"a", "", "b"}));
  EXPECT_EQ(ParseWallpaperList("a\rb\nc\r\nd"), (Paths{"a", "b", "c", "d"}));
  EXPECT_EQ(ParseWallpaperList("a\n\r\nb"), (Paths{"a", "", "b"}));
  EXPECT_EQ(ParseWallpaperList("a\r\r\nb"), (Paths{"a", "", "b"}));
  EXPECT_EQ(ParseWallpaperList("\r\n"), Paths{""});
  EXPECT_EQ(ParseWallpaperList(std::string("a\r\nb\0c\r\nd", 10)), (Paths{"a", "b"}));
}

TEST(WallpaperList, RoundTripKeepsOrderAndEmptyEntries) {
  test::ScratchDir dir;
  // "Äpfel": UTF-8 in the program, the code page's one byte in the file, as older versions wrote it.
  const Paths paths{"C:\\p\\sea.jpg", "", "D:\\x y\\\xC3\x84pfel.jpeg", "C:\\p\\sea.jpg"};
  SaveWallpaperList(dir / "wl.ini", paths);
  EXPECT_EQ(test::ReadFile(dir / "wl.ini"),
            "C:\\p\\sea.jpg\r\n\r\nD:\\x y\\\xC4pfel.jpeg\r\nC:\\p\\sea.jpg\r\n");
  EXPECT_EQ(LoadWallpaperList(dir / "wl.ini"), paths);
  // A name the code page cannot write: the file turns UTF-8 with its mark, and reads back the same.
  const Paths eastern{"C:\\\xD0\x9F\xD1\x91\xD1\x82\xD1\x80\\sea.jpg", "C:\\p\\sea.jpg"};
  SaveWallpaperList(dir / "wl.ini", eastern);
  EXPECT_EQ(test::ReadFile(dir / "wl.ini"),
            "\xEF\xBB\xBF" "C:\\\xD0\x9F\xD1\x91\xD1\x82\xD1\x80\\sea.jpg\r\nC:\\p\\sea.jpg\r\n");
  EXPECT_EQ(LoadWallpaperList(dir / "wl.ini"), eastern);
  SaveWallpaperList(dir / "wl.ini", {});
  EXPECT_EQ(test::ReadFile(dir / "wl.ini"), "");
  EXPECT_EQ(LoadWallpaperList(dir / "wl.ini"), Paths{});
}

TEST(WallpaperList, AFolderWrittenWithoutItsBackslashIsAFolderEntry) {
  test::ScratchDir dir;
  std::filesystem::create_directory(dir / "pics");
  test::WriteFile(dir / "pics/a.jpg", "");
  test::WriteFile(dir / "wl.ini", dir / "pics" + "\r\n" + dir / "pics" + "\\\r\n" + dir / "pics/a.jpg" + "\r\n" +
                                      dir / "gone" + "\r\n");
  EXPECT_EQ(LoadWallpaperList(dir / "wl.ini"),
            (Paths{dir / "pics" + "\\", dir / "pics" + "\\", dir / "pics/a.jpg", dir / "gone"}));
}

TEST(WallpaperList, AMissingFileSaysWhichAndWhy) {
  test::ScratchDir dir;
  try {
    LoadWallpaperList(dir / "wl.ini");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot open file \"" + (dir / "wl.ini") + "\". No such file or directory");
  }
}

TEST(WallpaperList, DisplayNamesDropDirectoryAndLastExtension) {
  EXPECT_EQ(DisplayNames({"C:\\pics\\sea.view.jpeg", "C:\\dir.old\\readme", "C:\\p\\sea.jpg", ""}),
            (Paths{"sea.view", "readme", "sea", ""}));
}

TEST(WallpaperList, AFolderEntryStandsForItsPicturesReadAnew) {
  Paths files = {"D:\\Photos\\b.JPG", "D:\\Photos\\notes.txt", "D:\\Photos\\A.jpeg", "D:\\Photos\\c.jpg"};
  const FolderPictures folder = [&](const std::string& path) { return path == "D:\\Photos\\" ? files : Paths{}; };
  const Paths entries = {"C:\\one.jpg", "D:\\Photos\\", "C:\\two.jpg", "E:\\Empty\\"};
  EXPECT_TRUE(IsFolderEntry("D:\\Photos\\"));
  EXPECT_FALSE(IsFolderEntry("D:\\Photos"));
  // In its place, JPEGs only, by name whatever the letter case; an empty
  // folder stands for nothing.
  EXPECT_EQ(ExpandWallpaperList(entries, folder),
            (Paths{"C:\\one.jpg", "D:\\Photos\\A.jpeg", "D:\\Photos\\b.JPG", "D:\\Photos\\c.jpg",
                   "C:\\two.jpg"}));
  EXPECT_EQ(DisplayNames(entries, folder), (Paths{"one", "Photos (3 pictures)", "two", "Empty (0 pictures)"}));
  // A picture copied into the folder later joins; the rotation goes on from
  // the current picture through the folder.
  files.push_back("D:\\Photos\\d.jpg");
  const Paths now = ExpandWallpaperList(entries, folder);
  EXPECT_EQ(now.size(), 6u);
  EXPECT_EQ(now[*NextWallpaperIndex(now, "D:\\Photos\\c.jpg")], "D:\\Photos\\d.jpg");
  EXPECT_EQ(now[*NextWallpaperIndex(now, "d:\\photos\\D.JPG")], "C:\\two.jpg");
}

TEST(WallpaperList, AFolderSortsAsExplorerDoesNumbersByValue) {
  const Paths files = {"D:\\P\\Shot (10).jpg", "D:\\P\\shot (2).jpg", "D:\\P\\Shot (1).png",
                       "D:\\P\\Shot (02a).jpg", "D:\\P\\Shot.jpg",     "D:\\P\\img9.jpg",
                       "D:\\P\\IMG10.jpg",      "D:\\P\\img010.jpg"};
  const FolderPictures folder = [&](const std::string&) { return files; };
  EXPECT_EQ(ExpandWallpaperList({"D:\\P\\"}, folder),
            (Paths{"D:\\P\\img9.jpg", "D:\\P\\img010.jpg", "D:\\P\\IMG10.jpg", "D:\\P\\Shot (1).png",
                   "D:\\P\\shot (2).jpg", "D:\\P\\Shot (02a).jpg", "D:\\P\\Shot (10).jpg", "D:\\P\\Shot.jpg"}));
}

TEST(WallpaperList, AShuffledFolderKeepsItsOrderAtEveryReadingAndNewPicturesTakeAPlace) {
  Paths files;
  for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"})
    files.push_back(std::string("D:\\P\\") + name + ".png");
  const FolderPictures folder = [&](const std::string&) { return files; };
  const std::uint32_t shuffle = NewFolderShuffle([](size_t n) { return n - 5; });
  EXPECT_EQ(shuffle, 0xFFFFFFFFu - 4);
  EXPECT_EQ(NewFolderShuffle([](size_t) { return size_t{0}; }), 1u);  // never 0, which means by name

  const Paths first = ExpandWallpaperList({"D:\\P\\"}, folder, shuffle);
  Paths sorted = first;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, files);  // every picture once
  EXPECT_NE(first, files);
  EXPECT_EQ(ExpandWallpaperList({"D:\\P\\"}, folder, shuffle), first);
  // Listed by the system in another order: the same order.
  std::reverse(files.begin(), files.end());
  EXPECT_EQ(ExpandWallpaperList({"D:\\P\\"}, folder, shuffle), first);
  // A picture copied in takes a place; the others keep theirs among themselves.
  files.push_back("D:\\P\\new.webp");
  Paths now = ExpandWallpaperList({"D:\\P\\"}, folder, shuffle);
  EXPECT_EQ(now.size(), 11u);
  now.erase(std::find(now.begin(), now.end(), "D:\\P\\new.webp"));
  EXPECT_EQ(now, first);
  EXPECT_NE(ExpandWallpaperList({"D:\\P\\"}, folder, shuffle + 1), ExpandWallpaperList({"D:\\P\\"}, folder, shuffle));

  // The settings' line.
  EXPECT_EQ(FolderShuffleText(0), "");
  EXPECT_EQ(FolderShuffleText(4294967295u), "4294967295");
  EXPECT_EQ(FolderShuffleFromText("4294967295"), 4294967295u);
  for (const char* junk : {"", "4294967296", "-1", "12a", " 7", "99999999999"}) EXPECT_EQ(FolderShuffleFromText(junk), 0u) << junk;
}

TEST(WallpaperList, StartUpRotationPicksTheNextEntry) {
  const Paths list{"C:\\a.jpg", "C:\\b.jpg", "C:\\c.jpg"};
  EXPECT_EQ(NextWallpaperIndex(list, "C:\\a.jpg"), 1u);
  EXPECT_EQ(NextWallpaperIndex(list, "c:\\B.JPG"), 2u);  // letter case does not matter
  EXPECT_EQ(NextWallpaperIndex(list, "C:\\c.jpg"), 0u);  // after the last comes the first
  EXPECT_EQ(NextWallpaperIndex(list, "C:\\elsewhere.jpg"), 0u);
  EXPECT_EQ(NextWallpaperIndex(list, ""), 0u);
  EXPECT_EQ(NextWallpaperIndex({"C:\\a.jpg"}, "C:\\a.jpg"), std::nullopt);
  EXPECT_EQ(NextWallpaperIndex({"C:\\a.jpg"}, "C:\\z.jpg"), std::nullopt);
  EXPECT_EQ(NextWallpaperIndex({}, "C:\\a.jpg"), std::nullopt);
}

TEST(WallpaperList, TheRotationGoesOnFromTheEntryItLastTook) {
  // A, B, A, C: from the place taken, C comes; without it the first A holds it back.
  const Paths list{"C:\\a.jpg", "C:\\b.jpg", "C:\\a.jpg", "C:\\c.jpg"};
  std::optional<size_t> place;
  Paths seen;
  for (int i = 0; i < 5; ++i) {
    place = NextWallpaperIndex(list, seen.empty() ? "C:\\a.jpg" : seen.back(), place);
    seen.push_back(list[*place]);
  }
  EXPECT_EQ(seen, (Paths{"C:\\b.jpg", "C:\\a.jpg", "C:\\c.jpg", "C:\\a.jpg", "C:\\b.jpg"}));
  EXPECT_EQ(NextWallpaperIndex(list, "C:\\a.jpg"), 1u);
  // A place that no longer names the current picture (set elsewhere, or the
  // list changed) gives way to the first equal entry.
  EXPECT_EQ(NextWallpaperIndex(list, "c:\\B.JPG", 2), 2u);
  EXPECT_EQ(NextWallpaperIndex(list, "C:\\a.jpg", 9), 1u);
  EXPECT_EQ(NextWallpaperIndex(list, "C:\\z.jpg", 3), 0u);
}

TEST(WallpaperList, RemovingSelectedEntriesKeepsTheOthersInOrder) {
  Paths paths{"p0", "p1", "p2", "p3", "p4"};
  Paths names = DisplayNames(paths);
  std::vector<bool> selected{true, false, true, true, false};
  RemoveSelected(names, paths, selected);
  EXPECT_EQ(paths, (Paths{"p1", "p4"}));
  EXPECT_EQ(names, (Paths{"p1", "p4"}));
  EXPECT_EQ(selected, (std::vector<bool>{false, false}));

  Paths all{"a", "b", "c"};
  Paths allNames = all;
  std::vector<bool> every(3, true);
  RemoveSelected(allNames, all, every);
  EXPECT_TRUE(all.empty());
  EXPECT_TRUE(allNames.empty());
}

TEST(WallpaperList, ShuffleMovesEachPositionInTurnToADrawnOne) {
  Paths paths{"C:\\a.jpg", "C:\\b.jpg", "C:\\c.jpg", "C:\\d.jpg"};
  Paths names = DisplayNames(paths);
  const auto move = [](Paths& items, size_t from, size_t to) {
    std::string item = items[from];
    items.erase(items.begin() + static_cast<long>(from));
    items.insert(items.begin() + static_cast<long>(to), item);
  };
  // Moves: i=0 -> 3, i=1 -> 0, i=2 -> 2, i=3 -> 1.
  std::vector<size_t> draws{3, 0, 2, 1};
  size_t k = 0;
  std::vector<std::pair<size_t, size_t>> moves;
  MoveShuffle(
      4,
      [&](size_t n) {
        EXPECT_EQ(n, 4u);
        return draws[k++];
      },
      [&](size_t from, size_t to) {
        moves.emplace_back(from, to);
        move(names, from, to);
        move(paths, from, to);
      });
  EXPECT_EQ(moves, (std::vector<std::pair<size_t, size_t>>{{0, 3}, {1, 0}, {2, 2}, {3, 1}}));
  // [a b c d] -> [b c d a] -> [c b d a] -> [c b d a] -> [c a b d]: moves, not swaps.
  EXPECT_EQ(names, (Paths{"c", "a", "b", "d"}));
  EXPECT_EQ(paths, (Paths{"C:\\c.jpg", "C:\\a.jpg", "C:\\b.jpg", "C:\\d.jpg"}));

  // One entry can only move onto itself; an empty list draws nothing.
  MoveShuffle(
      1, [](size_t n) { return n - 1; }, [](size_t from, size_t to) { EXPECT_EQ(from, to); });
  MoveShuffle(
      0, [](size_t) -> size_t { throw std::logic_error("no draw for an empty list"); },
      [](size_t, size_t) { FAIL(); });
}

TEST(WallpaperList, TheClockSeededDrawIsUniformOverTheWholeList) {
  const RandomDraw draw = ClockSeededDraw();
  std::vector<int> counts(5);
  for (int i = 0; i < 5000; ++i) {
    const size_t a = draw(5);
    ASSERT_LT(a, 5u);
    ++counts[a];
  }
  for (int count : counts) EXPECT_GT(count, 800);  // 1000 expected each
  EXPECT_EQ(draw(1), 0u);
}

}  // namespace
}  // namespace velmora
