#pragma once
// Wrappers for the system's controls: track bar, check box, radio button,
// edit, memo and list box. Each takes its font and colours from the layout
// and raises the events the forms' handlers need.
#include <optional>
#include <string>
#include <vector>

#include "ui/Color.h"
#include "ui/Control.h"
#include "ui/FontInfo.h"
#include "winbase/Handles.h"

namespace velmora {

struct SystemControlInit {
  const char* className = "";
  DWORD style = 0;
  DWORD exStyle = 0;
  std::string text{};
  Rect bounds{};
  int windowHeight = 0;            // a drop-down's window height including its list; 0: the bounds' height
  std::optional<FontInfo> font{};  // the container's font when empty
  std::optional<Color> color{};    // the container's colour when empty
  bool visible = true;
  bool enabled = true;
  Dock dock = Dock::kNone;
};

class SystemControl : public WindowedControl {
 public:
  ~SystemControl() override;

  const FontInfo& Font() const { return font_; }
  void SetFont(const FontInfo& font);
  Color GetColor() const;
  void SetColor(Color color);

  void DpiChanged() override;

 protected:
  SystemControl(Container& parent, const SystemControlInit& init);

  void BoundsChanged(const Rect& old) override;

  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
  HFONT FontHandle() const { return hfont_.Get(); }
  std::string ReadText() const;
  void WriteText(const std::string& text);
  HBRUSH HandleCtlColor(HDC dc) override;
  HBRUSH BackgroundBrush();

 private:
  int WindowHeight() const;

  FontInfo font_;
  UniqueFont hfont_;
  int layoutWindowHeight_;  // 96-DPI pixels; 0: the bounds' height
  std::optional<Color> color_;
  UniqueBrush brush_;
  COLORREF brushColor_ = 0;
};

struct TrackBarProps {
  Rect bounds{};
  int min = 0;
  int max = 10;
  int position = 0;
  int pageSize = 2;
  int thumbLength = 20;
  bool bothSides = false;  // the thumb points both ways
  bool noTicks = false;
  std::optional<Color> color{};
  bool visible = true;
  bool enabled = true;
};

class TrackBar : public SystemControl {
 public:
  TrackBar(Container& parent, const TrackBarProps& props);

  int Position() const { return position_; }
  // Moves the thumb; a new position, by the user or by the program, raises the change event.
  void SetPosition(int position);
  int Min() const { return min_; }
  int Max() const { return max_; }
  void OnChange(Handler handler) { onChange_ = std::move(handler); }

  void HandleScroll(WORD code) override;
  void DpiChanged() override;

 private:
  int min_;
  int max_;
  int position_;
  int thumbLength_;  // 96-DPI pixels
  Handler onChange_;
};

struct ButtonProps {
  Rect bounds{};
  std::string caption{};
  bool checked = false;
  std::optional<FontInfo> font{};
  std::optional<Color> color{};
  bool visible = true;
  bool enabled = true;
};

class CheckBox : public SystemControl {
 public:
  CheckBox(Container& parent, const ButtonProps& props);

  bool Checked() const { return checked_; }
  // A change of state, by the user or by the program, raises the click event.
  void SetChecked(bool checked);
  void OnClick(Handler handler) { onClick_ = std::move(handler); }
  std::string Caption() const { return ReadText(); }

  bool HandleCommand(WORD code) override;

 private:
  bool checked_;
  Handler onClick_;
};

// Radio buttons of one container form one group: checking one unchecks the others.
class RadioButton : public SystemControl {
 public:
  RadioButton(Container& parent, const ButtonProps& props);

  bool Checked() const { return checked_; }
  // Checking raises the click event when the button was not checked already.
  void SetChecked(bool checked);
  void OnClick(Handler handler) { onClick_ = std::move(handler); }
  std::string Caption() const { return ReadText(); }

  bool HandleCommand(WORD code) override;

 private:
  void SetState(bool checked);

  bool checked_;
  Handler onClick_;
};

struct EditProps {
  Rect bounds{};
  std::string text{};
  int maxLength = 0;  // 0: no limit
  bool numbersOnly = false;
  bool readOnly = false;
  std::optional<FontInfo> font{};
  Color color = colors::kWindow;
  bool visible = true;
  bool enabled = true;
};

class Edit : public SystemControl {
 public:
  Edit(Container& parent, const EditProps& props);

  std::string Text() const { return ReadText(); }
  // An equal text changes nothing and raises no change event.
  void SetText(const std::string& text);
  void OnChange(Handler handler) { onChange_ = std::move(handler); }

  bool HandleCommand(WORD code) override;

 private:
  Handler onChange_;
};

enum class ScrollBars { kNone, kVertical, kHorizontal, kBoth };

struct MemoProps {
  Rect bounds{};
  std::string text{};
  bool wordWrap = true;
  ScrollBars scrollBars = ScrollBars::kNone;
  bool readOnly = false;
  std::optional<FontInfo> font{};
  Color color = colors::kWindow;
  bool visible = true;
  bool enabled = true;
  Dock dock = Dock::kNone;
};

class Memo : public SystemControl {
 public:
  Memo(Container& parent, const MemoProps& props);

  std::string Text() const { return ReadText(); }
  void SetText(const std::string& text);
  void Clear() { SetText(""); }
  // The text's lines, split at its line ends.
  std::vector<std::string> Lines() const;
  // The rows as the memo shows them, after word wrap.
  std::vector<std::string> DisplayedLines() const;
  void OnChange(Handler handler) { onChange_ = std::move(handler); }

  bool HandleCommand(WORD code) override;

 private:
  Handler onChange_;
};

struct ListBoxProps {
  Rect bounds{};
  bool multiSelect = false;
  bool border3D = true;
  bool scrollBar = true;  // a vertical one, shown when the items do not fit
  std::optional<FontInfo> font{};
  Color color = colors::kWindow;
  bool visible = true;
  bool enabled = true;
  Dock dock = Dock::kNone;
};

class ListBox : public SystemControl {
 public:
  ListBox(Container& parent, const ListBoxProps& props);

  int Count() const;
  std::string Item(int index) const;
  std::vector<std::string> Items() const;
  void SetItems(const std::vector<std::string>& items);
  void AddItem(const std::string& item);
  void InsertItem(int index, const std::string& item);
  void DeleteItem(int index);
  // Takes the item out and puts it at `to`, counted after the removal.
  void MoveItem(int from, int to);
  void Clear();

  int ItemIndex() const;
  void SetItemIndex(int index);
  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  int SelCount() const;
  // The user's change of the selection.
  void OnClick(Handler handler) { onClick_ = std::move(handler); }
  // A double click on an entry.
  void OnDblClick(Handler handler) { onDblClick_ = std::move(handler); }
  // A key pressed in the list (a virtual-key code); the handler returns true
  // when it has dealt with the key, false to leave the list its own use of it.
  void OnKeyDown(std::function<bool(WORD key)> handler) { onKeyDown_ = std::move(handler); }

  bool HandleCommand(WORD code) override;
  bool HandleVKeyToItem(WORD key, LRESULT& result) override;

 private:
  bool multiSelect_;
  Handler onClick_;
  Handler onDblClick_;
  std::function<bool(WORD key)> onKeyDown_;
};

struct ComboBoxProps {
  Rect bounds{};  // the closed box; its list drops below
  std::vector<std::string> items{};
  int itemIndex = -1;
  std::optional<FontInfo> font{};
  bool visible = true;
  bool enabled = true;
};

// A drop-down list of texts to pick one from.
class ComboBox : public SystemControl {
 public:
  ComboBox(Container& parent, const ComboBoxProps& props);

  int Count() const;
  int ItemIndex() const;
  // Selects an item without raising the change event.
  void SetItemIndex(int index);
  // The user's choice of another item, once the list has closed on it.
  void OnChange(Handler handler) { onChange_ = std::move(handler); }

  bool HandleCommand(WORD code) override;

 private:
  Handler onChange_;
  int chosen_ = -1;
};

}  // namespace velmora
