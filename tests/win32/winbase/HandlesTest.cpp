#include <gtest/gtest.h>

#include <type_traits>

#include "winbase/Handles.h"

namespace velmora {
namespace {

template <class T>
constexpr bool kMoveOnly = !std::is_copy_constructible_v<T> && !std::is_copy_assignable_v<T> &&
                           std::is_nothrow_move_constructible_v<T> && std::is_nothrow_move_assignable_v<T>;
static_assert(kMoveOnly<UniquePen> && kMoveOnly<UniqueBrush> && kMoveOnly<UniqueFont> &&
              kMoveOnly<UniqueBitmap> && kMoveOnly<UniqueRegion> && kMoveOnly<UniqueIcon> &&
              kMoveOnly<UniqueMenu> && kMoveOnly<UniqueRegKey> && kMoveOnly<WindowDc> && kMoveOnly<MemoryDc>);
static_assert(!std::is_copy_constructible_v<SelectedObject> && !std::is_move_constructible_v<SelectedObject>);

bool Alive(HGDIOBJ object) {
  return GetObjectType(object) != 0;
}

TEST(Handles, GdiObjectsAreDeletedExactlyOnceByTheirLastOwner) {
  HPEN rawPen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  HBRUSH rawBrush = CreateSolidBrush(RGB(4, 5, 6));
  HFONT rawFont = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  HBITMAP rawBitmap = CreateBitmap(2, 2, 1, 32, nullptr);
  HRGN rawRegion = CreateRectRgn(0, 0, 5, 5);
  {
    UniquePen pen(rawPen);
    UniqueBrush brush(rawBrush);
    UniqueFont font(rawFont);
    UniqueRegion region(rawRegion);
    UniqueBitmap first(rawBitmap);
    UniqueBitmap second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.Get(), rawBitmap);
    UniqueBitmap third;
    third = std::move(second);
    EXPECT_FALSE(second);
    EXPECT_TRUE(Alive(rawBitmap));
    // Assigning another handle deletes the one held before.
    UniqueBrush replaced(CreateSolidBrush(RGB(9, 9, 9)));
    HBRUSH old = replaced.Get();
    replaced = UniqueBrush(CreateSolidBrush(RGB(8, 8, 8)));
    EXPECT_FALSE(Alive(old));
    for (HGDIOBJ o : {HGDIOBJ(rawPen), HGDIOBJ(rawBrush), HGDIOBJ(rawFont), HGDIOBJ(rawRegion)})
      EXPECT_TRUE(Alive(o));
  }
  for (HGDIOBJ o :
       {HGDIOBJ(rawPen), HGDIOBJ(rawBrush), HGDIOBJ(rawFont), HGDIOBJ(rawRegion), HGDIOBJ(rawBitmap)})
    EXPECT_FALSE(Alive(o));

  // Release hands the handle back without deleting it.
  UniquePen released(CreatePen(PS_SOLID, 1, 0));
  HPEN kept = released.Release();
  released.Reset();
  EXPECT_TRUE(Alive(kept));
  DeleteObject(kept);
}

TEST(Handles, IconMenuAndRegistryKeyOwnersCloseTheirHandles) {
  const BYTE andMask[4 * 32] = {};
  const BYTE xorMask[4 * 32] = {};
  HICON rawIcon = CreateIcon(GetModuleHandleA(nullptr), 32, 32, 1, 1, andMask, xorMask);
  ASSERT_TRUE(rawIcon);
  HMENU rawMenu = CreatePopupMenu();
  HKEY rawKey = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &rawKey), ERROR_SUCCESS);
  {
    UniqueIcon icon(rawIcon);
    UniqueMenu menu(rawMenu);
    UniqueRegKey key(rawKey);
    UniqueRegKey movedKey(std::move(key));
    EXPECT_TRUE(IsMenu(rawMenu));
    DWORD subkeys = 0;
    EXPECT_EQ(RegQueryInfoKeyA(movedKey.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
  }
  ICONINFO info{};
  EXPECT_FALSE(GetIconInfo(rawIcon, &info));
  EXPECT_FALSE(IsMenu(rawMenu));
  DWORD subkeys = 0;
  EXPECT_NE(RegQueryInfoKeyA(rawKey, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
}

TEST(Handles, MemoryDcPutsItsOriginalObjectsBackSoTheyCanBeDeleted) {
  UniqueBitmap bitmap(CreateBitmap(4, 4, 1, 32, nullptr));
  UniquePen pen(CreatePen(PS_SOLID, 3, RGB(200, 0, 0)));
  HGDIOBJ originalBitmap = nullptr;
  HGDIOBJ originalPen = nullptr;
  {
    MemoryDc dc;
    ASSERT_TRUE(dc.Get());
    originalBitmap = GetCurrentObject(dc, OBJ_BITMAP);
    originalPen = GetCurrentObject(dc, OBJ_PEN);
    EXPECT_EQ(dc.Select(bitmap.Get()), originalBitmap);
    dc.Select(pen.Get());
    // A second selection of the same kind keeps the very first original.
    UniqueBitmap other(CreateBitmap(1, 1, 1, 32, nullptr));
    EXPECT_EQ(dc.Select(other.Get()), bitmap.Get());
    dc.Select(bitmap.Get());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap.Get());
    dc.Restore();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), originalBitmap);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), originalPen);

    MemoryDc moved(std::move(dc));
    EXPECT_FALSE(dc.Get());
    moved.Select(bitmap.Get());
    {
      SelectedObject scoped(moved, GetStockObject(WHITE_PEN));
      EXPECT_EQ(GetCurrentObject(moved, OBJ_PEN), GetStockObject(WHITE_PEN));
    }
    EXPECT_EQ(GetCurrentObject(moved, OBJ_PEN), originalPen);
  }
  // Nothing holds the bitmap any more: another DC may take it and it can be deleted.
  MemoryDc again;
  again.Select(bitmap.Get());
  EXPECT_EQ(GetCurrentObject(again, OBJ_BITMAP), bitmap.Get());
  again.Reset();
  EXPECT_TRUE(DeleteObject(bitmap.Release()));
}

TEST(Handles, WindowDcGivesTheWindowsDcBackOnce) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  {
    WindowDc dc(window);
    ASSERT_TRUE(dc.Get());
    WindowDc moved(std::move(dc));
    EXPECT_FALSE(dc.Get());
    EXPECT_TRUE(moved.Get());
    EXPECT_NE(GetDeviceCaps(moved, BITSPIXEL), 0);
    moved.Reset();
    EXPECT_FALSE(moved.Get());
  }
  DestroyWindow(window);
}

// The live counts follow ownership: moves keep them, Release and every close lower them.
TEST(Handles, OwnedCountsFollowOwnershipAndAreAnsweredToTheRegisteredMessage) {
  const long gdi = OwnedHandles::Count(HandleKind::kGdi), user = OwnedHandles::Count(HandleKind::kUser);
  {
    UniqueBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
    UniqueBrush moved(std::move(brush));
    moved.Reset(CreateSolidBrush(RGB(4, 5, 6)));
    MemoryDc dc;
    UniqueMenu menu(CreatePopupMenu());
    UniqueMenu none;
    none = std::move(menu);
    EXPECT_EQ(OwnedHandles::Count(HandleKind::kGdi), gdi + 2);
    EXPECT_EQ(OwnedHandles::Count(HandleKind::kUser), user + 1);
    DestroyMenu(none.Release());
    EXPECT_EQ(OwnedHandles::Count(HandleKind::kUser), user);
  }
  EXPECT_EQ(OwnedHandles::Count(HandleKind::kGdi), gdi);

  EXPECT_NE(OwnedHandlesMessage(), 0u);
  EXPECT_EQ(AnswerOwnedHandles(static_cast<WPARAM>(HandleKind::kGdi)), gdi);
  EXPECT_EQ(AnswerOwnedHandles(0), 0);
}

}  // namespace
}  // namespace velmora
