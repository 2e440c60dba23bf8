#include "program/HotKey.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(HotKey, TextRoundTripsInTheSettingsForm) {
  EXPECT_EQ(HotKeyText(kDefaultHotKey), kDefaultHotKeyText);
  EXPECT_EQ(ParseHotKey(kDefaultHotKeyText), kDefaultHotKey);
  const HotKey keys[] = {{kModCtrl | kModShift, '7'},
                         {kModWin | kModAlt | kModShift | kModCtrl, 'Z'},
                         {0, 0x70},         // F1 alone
                         {kModAlt, 0x87},   // F24
                         {kModCtrl, 0x25},  // an arrow key, by its code
                         {}};
  for (const HotKey& key : keys) EXPECT_EQ(ParseHotKey(HotKeyText(key)), key) << HotKeyText(key);
  EXPECT_EQ(HotKeyText({kModShift | kModAlt | kModCtrl, 0x74}), "Ctrl+Alt+Shift+F5");
  EXPECT_EQ(HotKeyText({kModCtrl, 0x25}), "Ctrl+#37");
  EXPECT_EQ(ParseHotKey("alt+CTRL+n"), kDefaultHotKey);  // any case, any order
  EXPECT_EQ(ParseHotKey(""), HotKey{});
}

TEST(HotKey, RefusesWhatItCannotReadAndKeysThatWouldTakePlainTyping) {
  for (const char* text : {"N", "Shift+N", "Ctrl+", "Ctrl+Alt", "+N", "Ctrl+Ctrl+N", "Ctl+N", "Ctrl+NN",
                           "Ctrl+F25", "Ctrl+F0", "Ctrl+#0", "Ctrl+#999", "Ctrl+ N", "Ctrl+%"})
    EXPECT_FALSE(ParseHotKey(text).has_value()) << text;
}

}  // namespace
}  // namespace velmora
