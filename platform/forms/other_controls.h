// Pictures, timers, menus, lines and scroll bars.
#ifndef FRELANE_PLATFORM_FORMS_OTHER_CONTROLS_H_
#define FRELANE_PLATFORM_FORMS_OTHER_CONTROLS_H_

#include <cstdint>
#include <string>

#include "platform/forms/button_controls.h"
#include "platform/forms/control.h"
#include "platform/forms/picture.h"

namespace forms {

// Image (kind kImage) and PictureBox (kind kPictureBox, a container that can take the focus).
class PictureControl : public Control {
 public:
  Picture GetPicture();
  // A PictureBox with AutoSize takes the picture's size.
  void SetPicture(const Picture& picture);
  bool AutoSize() const { return auto_size_; }
  bool Stretch() const { return stretch_; }
  const Picture& CurrentPicture() const { return picture_; }

 protected:
  PictureControl(Form& form, ControlKind kind, std::string name, int index, const Rect& rect,
                 const Design& design);
  void ResetToDesign() override;

 private:
  Picture picture_;
  bool auto_size_;
  bool stretch_;
};

class Image : public PictureControl {
 public:
  static constexpr ControlKind kKind = ControlKind::kImage;
  Image(Form& form, std::string name, int index, const Rect& rect, const Design& design);
};

class PictureBox : public PictureControl {
 public:
  static constexpr ControlKind kKind = ControlKind::kPictureBox;
  PictureBox(Form& form, std::string name, int index, const Rect& rect, const Design& design);
};

// Fires its Timer event every Interval milliseconds of the application clock while Enabled
// and its form is loaded. Interval 0 stops it.
class Timer : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::kTimer;
  Timer(Form& form, std::string name, int index, const Rect& rect, const Design& design);
  ~Timer() override;
  int Interval();
  void SetInterval(int ms);
  // Armed and when it fires next (application clock, ms); for the application and hosts.
  bool Armed() const { return armed_; }
  std::int64_t DueAt() const { return due_at_; }
  // Re-arms from now; called when Enabled, Interval or the form's state change.
  void Rearm();
  // Fires the event and arms the next one. REQUIRES: Armed().
  void FireTimer();

 protected:
  void ResetToDesign() override;
  void OnUnload() override;
  void OnEnabledChanged() override;

 private:
  int interval_ = 0;
  bool armed_ = false;
  std::int64_t due_at_ = 0;
};

// A menu entry. Its container is the menu it belongs to (nullptr: the form's menu bar).
class Menu : public CaptionControl {
 public:
  static constexpr ControlKind kKind = ControlKind::kMenu;
  Menu(Form& form, std::string name, int index, const Rect& rect, const Design& design);
  bool Checked();
  void SetChecked(bool v);

 private:
  bool checked_ = false;
};

class Line : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::kLine;
  // The rectangle's corners are the ends: (left, top) to (left + width, top + height).
  Line(Form& form, std::string name, int index, const Rect& rect, const Design& design);
  int X1() { return Left(); }
  int Y1() { return Top(); }
  int X2() { return Left() + Width(); }
  int Y2() { return Top() + Height(); }
};

// VScrollBar (kind kVScrollBar) and HScrollBar (kind kHScrollBar).
class ScrollBar : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::kVScrollBar;
  ScrollBar(Form& form, std::string name, int index, const Rect& rect, const Design& design,
            ControlKind kind = ControlKind::kVScrollBar);
  int Min();
  void SetMin(int v);
  int Max();
  void SetMax(int v);
  int Value();
  // A different value fires Change; outside Min..Max is run-time error 380.
  void SetValue(int v);
  int SmallChange() const { return small_change_; }
  int LargeChange() const { return large_change_; }
  int CurrentValue() const { return value_; }

 protected:
  void ResetToDesign() override;

 private:
  int min_ = 0;
  int max_ = 32767;
  int value_ = 0;
  int small_change_ = 1;
  int large_change_ = 1;
};

class VScrollBar : public ScrollBar {
 public:
  VScrollBar(Form& form, std::string name, int index, const Rect& rect, const Design& design)
      : ScrollBar(form, std::move(name), index, rect, design, ControlKind::kVScrollBar) {}
};
class HScrollBar : public ScrollBar {
 public:
  static constexpr ControlKind kKind = ControlKind::kHScrollBar;
  HScrollBar(Form& form, std::string name, int index, const Rect& rect, const Design& design)
      : ScrollBar(form, std::move(name), index, rect, design, ControlKind::kHScrollBar) {}
};

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_OTHER_CONTROLS_H_
