// The window model: plain controls whose state is the whole look of a window.
// Every setter notifies `changed` only when the value really changes, so the
// face repaints what moved and a label's Change handler runs once per new text.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/colours.h"

namespace koralin {

// A list of callbacks. Subscribers are kept for the life of the control.
class Notifier {
 public:
  using Fn = std::function<void()>;
  void Subscribe(Fn fn) { fns_.push_back(std::move(fn)); }
  bool Empty() const { return fns_.empty(); }
  void Notify() const {
    for (std::size_t i = 0; i < fns_.size(); ++i) fns_[i]();
  }

 private:
  std::vector<Fn> fns_;
};

// Geometry in twips (1/1440 inch; 15 twips per logical pixel).
struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};

class Control {
 public:
  explicit Control(std::string name) : name_(std::move(name)) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  const std::string& Name() const { return name_; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { Set(visible_, v); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { Set(enabled_, v); }
  const std::string& ToolTip() const { return toolTip_; }
  void SetToolTip(std::string v) { Set(toolTip_, std::move(v)); }
  const Rect& Bounds() const { return bounds_; }
  void SetBounds(Rect r) { Set(bounds_, r); }

  // Any property changed: the face repaints.
  Notifier changed;

 protected:
  template <class T> bool Set(T& field, T value) {
    if (field == value) return false;
    field = std::move(value);
    changed.Notify();
    return true;
  }

 private:
  std::string name_;
  bool visible_ = true;
  bool enabled_ = true;
  std::string toolTip_;
  Rect bounds_;
};

// A label; also used for frames, whose caption is their title.
class Label : public Control {
 public:
  using Control::Control;
  Label(std::string name, std::string caption) : Control(std::move(name)), caption_(std::move(caption)) {}

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string v) {
    if (Set(caption_, std::move(v))) captionChanged.Notify();
  }
  Colour BackColor() const { return back_; }
  void SetBackColor(Colour c) { Set(back_, c); }
  Colour ForeColor() const { return fore_; }
  void SetForeColor(Colour c) { Set(fore_, c); }
  bool FontUnderline() const { return underline_; }
  void SetFontUnderline(bool v) { Set(underline_, v); }

  void Click() const { onClick.Notify(); }
  void DblClick() const { onDblClick.Notify(); }

  Notifier captionChanged;  // the label's Change event
  Notifier onClick;
  Notifier onDblClick;

 private:
  std::string caption_;
  Colour back_ = colour::kButtonFace;
  Colour fore_ = colour::kBlack;
  bool underline_ = false;
};
using Frame = Label;

// A menu entry. A caption of "-" is a separator; items holds a submenu.
class MenuItem : public Control {
 public:
  MenuItem(std::string name, std::string caption) : Control(std::move(name)), caption_(std::move(caption)) {}

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string v) { Set(caption_, std::move(v)); }
  bool Checked() const { return checked_; }
  void SetChecked(bool v) { Set(checked_, v); }
  bool IsSeparator() const { return caption_ == "-"; }

  void Click() const { onClick.Notify(); }
  Notifier onClick;
  std::vector<MenuItem*> items;

 private:
  std::string caption_;
  bool checked_ = false;
};

// A timer of the window. Whoever drives time (the Qt event loop or the test
// clock) watches `changed`: switching Enabled off and on again restarts it.
class Timer : public Control {
 public:
  explicit Timer(std::string name) : Control(std::move(name)) { SetEnabled(false); }
  int Interval() const { return interval_; }
  void SetInterval(int ms) { Set(interval_, ms); }
  void Restart() {
    SetEnabled(false);
    SetEnabled(true);
  }
  void Tick() const { onTick.Notify(); }
  Notifier onTick;

  // Asked by the driver after each tick: true when the next ticks would find
  // nothing to do, in which case it ticks only every kRestInterval ms until
  // `wake` is called. Unset, the timer never rests.
  using Wake = std::function<void()>;
  std::function<bool(Wake wake)> mayRest;
  static constexpr int kRestInterval = 1000;

 private:
  int interval_ = 0;
};

class OptionButton : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string v) { Set(caption_, std::move(v)); }
  bool Value() const { return value_; }
  void SetValue(bool v) { Set(value_, v); }
  void Click() const { onClick.Notify(); }
  Notifier onClick;

 private:
  std::string caption_;
  bool value_ = false;
};

class CommandButton : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string v) { Set(caption_, std::move(v)); }
  void Click() const { onClick.Notify(); }
  Notifier onClick;

 private:
  std::string caption_;
};

class CheckBox : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string v) { Set(caption_, std::move(v)); }
  int Value() const { return value_; }
  void SetValue(int v) { Set(value_, v); }
  void Click() const { onClick.Notify(); }
  Notifier onClick;

 private:
  std::string caption_;
  int value_ = 0;
};

class ListBox : public Control {
 public:
  using Control::Control;
  const std::vector<std::string>& Items() const { return items_; }
  void Clear() { Set(items_, {}); }
  void AddItem(std::string item) {
    auto items = items_;
    items.push_back(std::move(item));
    Set(items_, std::move(items));
  }
  int ListIndex() const { return index_; }
  void SetListIndex(int i) { Set(index_, i); }
  void Click() const { onClick.Notify(); }
  Notifier onClick;

 private:
  std::vector<std::string> items_;
  int index_ = -1;
};

class ProgressBar : public Control {
 public:
  using Control::Control;
  double Min() const { return min_; }
  void SetMin(double v) { Set(min_, v); }
  double Max() const { return max_; }
  void SetMax(double v) { Set(max_, v); }
  double Value() const { return value_; }
  void SetValue(double v) { Set(value_, v); }
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool v) { Set(smooth_, v); }
  void Click() const { onClick.Notify(); }
  Notifier onClick;

 private:
  double min_ = 0, max_ = 100, value_ = 0;
  bool smooth_ = false;
};

class TextBox : public Control {
 public:
  using Control::Control;
  const std::string& Text() const { return text_; }
  void SetText(std::string v) { Set(text_, std::move(v)); }
  int SelStart() const { return selStart_; }
  int SelLength() const { return selLength_; }
  void Select(int start, int length) {
    Set(selStart_, start);
    Set(selLength_, length);
  }

 private:
  std::string text_;
  int selStart_ = 0, selLength_ = 0;
};

enum class WindowState { kNormal, kMinimized, kMaximized };

// A window: its caption, place and size in twips, shown or hidden.
class Window : public Control {
 public:
  using Control::Control;
  Window(std::string name, std::string caption) : Control(std::move(name)), caption_(std::move(caption)) {
    SetVisible(false);
  }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string v) { Set(caption_, std::move(v)); }
  int Left() const { return Bounds().left; }
  int Top() const { return Bounds().top; }
  int Width() const { return Bounds().width; }
  int Height() const { return Bounds().height; }
  void Move(int left, int top) { SetBounds({left, top, Width(), Height()}); }
  void SetHeight(int h) { SetBounds({Left(), Top(), Width(), h}); }
  void SetWidth(int w) { SetBounds({Left(), Top(), w, Height()}); }
  WindowState State() const { return state_; }
  void SetState(WindowState s) { Set(state_, s); }
  // The frame around the inner area (borders, title bar, menu bar), twips.
  void SetFrameSize(int width, int height) {
    frameWidth_ = width;
    frameHeight_ = height;
  }
  int ScaleWidth() const { return Width() - frameWidth_; }
  int ScaleHeight() const { return Height() - frameHeight_; }

 private:
  std::string caption_;
  WindowState state_ = WindowState::kNormal;
  int frameWidth_ = 0, frameHeight_ = 0;
};

}  // namespace koralin
