#include "ui/SystemControls.h"

#include <commctrl.h>

#include <algorithm>

#include "base/CodePage.h"
#include "ui/Application.h"
#include "ui/Container.h"
#include "ui/Gdi.h"
#include "winbase/Window.h"

namespace velmora {

SystemControl::SystemControl(Container& parent, const SystemControlInit& init)
    : WindowedControl(parent, init.bounds, init.visible, init.enabled, init.dock),
      font_(init.font.value_or(parent.Font())),
      hfont_(CreateFontFrom(font_, parent.Dpi())),
      layoutWindowHeight_(init.windowHeight),
      color_(init.color) {
  InitCommonControlsOnce();
  const int id = NewControlId();
  HWND hwnd = CheckCreated(
      CreateWindowExW(init.exStyle | WS_EX_NOPARENTNOTIFY, Utf8ToWide(init.className).c_str(),
                      Utf8ToWide(init.text).c_str(),
                      WS_CHILD | WS_CLIPSIBLINGS | init.style | (init.visible ? WS_VISIBLE : 0), Left(),
                      Top(), Width(), WindowHeight(), parent.Handle(),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr),
      init.className);
  OwnedHandles::Add(HandleKind::kUser, 1);
  Attach(hwnd, id);
  Send(WM_SETFONT, reinterpret_cast<WPARAM>(hfont_.Get()), FALSE);
}

SystemControl::~SystemControl() {
  HWND hwnd = Hwnd();
  Detach();
  if (hwnd) {
    DestroyWindow(hwnd);
    OwnedHandles::Add(HandleKind::kUser, -1);
  }
}

void SystemControl::SetFont(const FontInfo& font) {
  font_ = font;
  hfont_ = CreateFontFrom(font_, Parent().Dpi());
  Send(WM_SETFONT, reinterpret_cast<WPARAM>(hfont_.Get()), TRUE);
}

int SystemControl::WindowHeight() const {
  return layoutWindowHeight_ > 0 ? Parent().Scaled(layoutWindowHeight_) : Height();
}

void SystemControl::BoundsChanged(const Rect&) {
  if (Hwnd()) MoveWindow(Hwnd(), Left(), Top(), Width(), WindowHeight(), TRUE);
}

void SystemControl::DpiChanged() {
  // The font first: a control may measure its rows by it when it moves.
  hfont_ = CreateFontFrom(font_, Parent().Dpi());
  Send(WM_SETFONT, reinterpret_cast<WPARAM>(hfont_.Get()), TRUE);
  WindowedControl::DpiChanged();
}

Color SystemControl::GetColor() const {
  return color_.value_or(Parent().GetColor());
}

void SystemControl::SetColor(Color color) {
  color_ = color;
  if (Hwnd()) InvalidateRect(Hwnd(), nullptr, TRUE);
}

LRESULT SystemControl::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
  return SendMessageW(Hwnd(), msg, wParam, lParam);
}

std::string SystemControl::ReadText() const {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(Hwnd())) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(Hwnd(), text.data(), static_cast<int>(text.size()))));
  return WideToUtf8(text);
}

void SystemControl::WriteText(const std::string& text) {
  SetWindowTextW(Hwnd(), Utf8ToWide(text).c_str());
}

HBRUSH SystemControl::BackgroundBrush() {
  // System colours are resolved at each use, so a brush follows a change of them.
  const COLORREF color = ToColorRef(GetColor());
  if (!brush_ || color != brushColor_) {
    brush_.Reset(CreateSolidBrush(color));
    brushColor_ = color;
  }
  return brush_.Get();
}

HBRUSH SystemControl::HandleCtlColor(HDC dc) {
  SetTextColor(dc, ToColorRef(font_.color));
  SetBkColor(dc, ToColorRef(GetColor()));
  return BackgroundBrush();
}

TrackBar::TrackBar(Container& parent, const TrackBarProps& p)
    : SystemControl(
          parent, {.className = "msctls_trackbar32",
                   .style = static_cast<DWORD>(WS_TABSTOP | TBS_HORZ | TBS_FIXEDLENGTH |
                                               (p.noTicks ? TBS_NOTICKS : 0) | (p.bothSides ? TBS_BOTH : 0)),
                   .bounds = p.bounds,
                   .color = p.color,
                   .visible = p.visible,
                   .enabled = p.enabled}),
      min_(p.min),
      max_(p.max),
      position_(std::clamp(p.position, p.min, p.max)),
      thumbLength_(p.thumbLength) {
  Send(TBM_SETRANGEMIN, FALSE, min_);
  Send(TBM_SETRANGEMAX, FALSE, max_);
  Send(TBM_SETPAGESIZE, 0, p.pageSize);
  Send(TBM_SETTHUMBLENGTH, static_cast<WPARAM>(parent.Scaled(thumbLength_)), 0);
  Send(TBM_SETPOS, TRUE, position_);
}

void TrackBar::SetPosition(int position) {
  position = std::clamp(position, min_, max_);
  if (position == position_) return;
  position_ = position;
  Send(TBM_SETPOS, TRUE, position_);
  if (onChange_) onChange_();
}

void TrackBar::DpiChanged() {
  SystemControl::DpiChanged();
  Send(TBM_SETTHUMBLENGTH, static_cast<WPARAM>(Parent().Scaled(thumbLength_)), 0);
}

void TrackBar::HandleScroll(WORD) {
  const int position = static_cast<int>(Send(TBM_GETPOS));
  if (position == position_) return;
  position_ = position;
  if (onChange_) onChange_();
}

CheckBox::CheckBox(Container& parent, const ButtonProps& p)
    : SystemControl(parent, {.className = "BUTTON",
                             .style = WS_TABSTOP | BS_CHECKBOX,
                             .text = p.caption,
                             .bounds = p.bounds,
                             .font = p.font,
                             .color = p.color,
                             .visible = p.visible,
                             .enabled = p.enabled}),
      checked_(p.checked) {
  Send(BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED);
}

void CheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Send(BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED);
  if (onClick_) onClick_();
}

bool CheckBox::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  SetChecked(!checked_);
  return true;
}

RadioButton::RadioButton(Container& parent, const ButtonProps& p)
    : SystemControl(parent, {.className = "BUTTON",
                             .style = WS_TABSTOP | BS_RADIOBUTTON,
                             .text = p.caption,
                             .bounds = p.bounds,
                             .font = p.font,
                             .color = p.color,
                             .visible = p.visible,
                             .enabled = p.enabled}),
      checked_(false) {
  if (p.checked) SetState(true);
}

void RadioButton::SetState(bool checked) {
  checked_ = checked;
  Send(BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED);
  if (!checked) return;
  for (Control* c : Parent().Controls())
    if (auto* other = dynamic_cast<RadioButton*>(c); other && other != this && other->checked_)
      other->SetState(false);
}

void RadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  SetState(checked);
  if (checked && onClick_) onClick_();
}

bool RadioButton::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  SetChecked(true);
  return true;
}

Edit::Edit(Container& parent, const EditProps& p)
    : SystemControl(
          parent, {.className = "EDIT",
                   .style = static_cast<DWORD>(WS_TABSTOP | ES_AUTOHSCROLL | (p.numbersOnly ? ES_NUMBER : 0) |
                                               (p.readOnly ? ES_READONLY : 0)),
                   .exStyle = WS_EX_CLIENTEDGE,
                   .text = p.text,
                   .bounds = p.bounds,
                   .font = p.font,
                   .color = p.color,
                   .visible = p.visible,
                   .enabled = p.enabled}) {
  if (p.maxLength > 0) Send(EM_LIMITTEXT, static_cast<WPARAM>(p.maxLength));
}

void Edit::SetText(const std::string& text) {
  if (text != Text()) WriteText(text);
}

bool Edit::HandleCommand(WORD code) {
  if (code != EN_CHANGE) return false;
  if (onChange_) onChange_();
  return true;
}

Memo::Memo(Container& parent, const MemoProps& p)
    : SystemControl(
          parent,
          {.className = "EDIT",
           .style = static_cast<DWORD>(
               WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | (p.readOnly ? ES_READONLY : 0) |
               (p.wordWrap ? 0 : ES_AUTOHSCROLL) |
               (p.scrollBars == ScrollBars::kVertical || p.scrollBars == ScrollBars::kBoth ? WS_VSCROLL : 0) |
               (p.scrollBars == ScrollBars::kHorizontal || p.scrollBars == ScrollBars::kBoth ? WS_HSCROLL
                                                                                             : 0)),
           .exStyle = WS_EX_CLIENTEDGE,
           .text = p.text,
           .bounds = p.bounds,
           .font = p.font,
           .color = p.color,
           .visible = p.visible,
           .enabled = p.enabled,
           .dock = p.dock}) {}

void Memo::SetText(const std::string& text) {
  if (text != Text()) WriteText(text);
}

std::vector<std::string> Memo::Lines() const {
  std::vector<std::string> lines;
  const std::string text = Text();
  if (text.empty()) return lines;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  // A text ending with a line end has no further, empty line.
  if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) lines.pop_back();
  return lines;
}

std::vector<std::string> Memo::DisplayedLines() const {
  std::vector<std::string> rows;
  if (Text().empty()) return rows;
  const int count = static_cast<int>(Send(EM_GETLINECOUNT));
  for (int i = 0; i < count; ++i) {
    const int length = static_cast<int>(Send(EM_LINELENGTH, static_cast<WPARAM>(Send(EM_LINEINDEX, i))));
    // EM_GETLINE takes the buffer size in its first word and writes no terminator.
    std::wstring row(static_cast<size_t>(std::max(length, 1)) + 1, L'\0');
    *reinterpret_cast<WORD*>(row.data()) = static_cast<WORD>(row.size());
    const int copied =
        static_cast<int>(Send(EM_GETLINE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(row.data())));
    row.resize(static_cast<size_t>(std::min(copied, length)));
    rows.push_back(WideToUtf8(row));
  }
  return rows;
}

bool Memo::HandleCommand(WORD code) {
  if (code != EN_CHANGE) return false;
  if (onChange_) onChange_();
  return true;
}

ListBox::ListBox(Container& parent, const ListBoxProps& p)
    : SystemControl(
          parent,
          {.className = "LISTBOX",
           .style = static_cast<DWORD>(WS_TABSTOP | (p.scrollBar ? WS_VSCROLL : 0) | LBS_NOTIFY |
                                       LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT |
                                       (p.multiSelect ? LBS_EXTENDEDSEL : 0) | (p.border3D ? 0 : WS_BORDER)),
           .exStyle = p.border3D ? WS_EX_CLIENTEDGE : 0u,
           .bounds = p.bounds,
           .font = p.font,
           .color = p.color,
           .visible = p.visible,
           .enabled = p.enabled,
           .dock = p.dock}),
      multiSelect_(p.multiSelect) {}

int ListBox::Count() const {
  return static_cast<int>(Send(LB_GETCOUNT));
}

std::string ListBox::Item(int index) const {
  const LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return WideToUtf8(text);
}

std::vector<std::string> ListBox::Items() const {
  std::vector<std::string> items;
  for (int i = 0, n = Count(); i < n; ++i) items.push_back(Item(i));
  return items;
}

void ListBox::SetItems(const std::vector<std::string>& items) {
  Clear();
  for (const auto& item : items) AddItem(item);
}

void ListBox::AddItem(const std::string& item) {
  const std::wstring wide = Utf8ToWide(item);
  Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void ListBox::InsertItem(int index, const std::string& item) {
  const std::wstring wide = Utf8ToWide(item);
  Send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.c_str()));
}

void ListBox::DeleteItem(int index) {
  Send(LB_DELETESTRING, static_cast<WPARAM>(index));
}

void ListBox::MoveItem(int from, int to) {
  if (from == to) return;
  const std::string item = Item(from);
  const bool selected = Selected(from);
  DeleteItem(from);
  InsertItem(to, item);
  if (selected) SetSelected(to, true);
}

void ListBox::Clear() {
  Send(LB_RESETCONTENT);
}

int ListBox::ItemIndex() const {
  return static_cast<int>(multiSelect_ ? Send(LB_GETCARETINDEX) : Send(LB_GETCURSEL));
}

void ListBox::SetItemIndex(int index) {
  if (multiSelect_)
    Send(LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
  else
    Send(LB_SETCURSEL, static_cast<WPARAM>(index));
}

bool ListBox::Selected(int index) const {
  return Send(LB_GETSEL, static_cast<WPARAM>(index)) > 0;
}

void ListBox::SetSelected(int index, bool selected) {
  if (multiSelect_)
    Send(LB_SETSEL, selected, index);
  else if (selected)
    Send(LB_SETCURSEL, static_cast<WPARAM>(index));
  else if (ItemIndex() == index)
    Send(LB_SETCURSEL, static_cast<WPARAM>(-1));
}

int ListBox::SelCount() const {
  if (multiSelect_) return static_cast<int>(Send(LB_GETSELCOUNT));
  return ItemIndex() >= 0 ? 1 : 0;
}

bool ListBox::HandleCommand(WORD code) {
  if (code == LBN_DBLCLK) {
    if (onDblClick_) onDblClick_();
    return true;
  }
  if (code != LBN_SELCHANGE) return false;
  if (onClick_) onClick_();
  return true;
}

bool ListBox::HandleVKeyToItem(WORD key, LRESULT& result) {
  if (!onKeyDown_ || !onKeyDown_(key)) return false;
  result = -2;  // dealt with: the list does nothing more with the key
  return true;
}

ComboBox::ComboBox(Container& parent, const ComboBoxProps& p)
    : SystemControl(parent, {.className = "COMBOBOX",
                             .style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                             .bounds = p.bounds,
                             .windowHeight = p.bounds.height + static_cast<int>(p.items.size()) * 16 + 4,
                             .font = p.font,
                             .visible = p.visible,
                             .enabled = p.enabled}) {
  for (const auto& item : p.items) {
    const std::wstring wide = Utf8ToWide(item);
    Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  SetItemIndex(p.itemIndex);
}

int ComboBox::Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }

int ComboBox::ItemIndex() const { return static_cast<int>(Send(CB_GETCURSEL)); }

void ComboBox::SetItemIndex(int index) {
  Send(CB_SETCURSEL, static_cast<WPARAM>(index));
  chosen_ = ItemIndex();
}

bool ComboBox::HandleCommand(WORD code) {
  if (code != CBN_SELCHANGE && code != CBN_SELENDOK) return false;
  // While the list is open the arrow keys only point at items: the choice is
  // made when it closes on one.
  if (code == CBN_SELCHANGE && Send(CB_GETDROPPEDSTATE)) return true;
  const int index = ItemIndex();
  if (index == chosen_) return true;
  chosen_ = index;
  if (onChange_) onChange_();
  return true;
}

}  // namespace velmora

