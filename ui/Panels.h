#pragma once
// Controls that hold other controls: the panel and the group box. Controls
// placed on them use their client pixels.
#include <optional>
#include <string>

#include "ui/Container.h"
#include "winbase/Handles.h"

namespace velmora {

enum class PanelBevel { kNone, kLowered, kRaised };

struct PanelProps {
  Rect bounds{};
  std::string caption{};
  PanelBevel bevelOuter = PanelBevel::kRaised;
  PanelBevel bevelInner = PanelBevel::kNone;
  std::optional<Color> color{};    // the parent's colour when empty
  std::optional<FontInfo> font{};  // the parent's font when empty
  bool visible = true;
  bool enabled = true;
  Dock dock = Dock::kNone;
};

class Panel : public WindowedControl, public Container {
 public:
  Panel(Container& parent, const PanelProps& props);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  void DpiChanged() override;

 protected:
  void PaintBackground(HDC dc, const Rect& area) override;

 private:
  std::string caption_;
  PanelBevel bevelOuter_;
  PanelBevel bevelInner_;
  UniqueFont hfont_;
};

struct GroupBoxProps {
  Rect bounds{};
  std::string caption{};
  std::optional<Color> color{};
  std::optional<FontInfo> font{};
  bool visible = true;
  bool enabled = true;
};

class GroupBox : public WindowedControl, public Container {
 public:
  GroupBox(Container& parent, const GroupBoxProps& props);

  const std::string& Caption() const { return caption_; }

  void DpiChanged() override;

 protected:
  void PaintBackground(HDC dc, const Rect& area) override;

 private:
  std::string caption_;
  UniqueFont hfont_;
};

}  // namespace velmora
