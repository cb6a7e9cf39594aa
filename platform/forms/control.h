// Control: what every control of a form has (name, index, geometry in twips, visibility,
// tab order, colours, font) and the event slots the form's handlers are bound to.
//
// A control is created by its form (Form::Add) with a Design: the values it holds each time
// the form loads. Reading or assigning a property of a control of an unloaded form loads the
// form first (Form_Load runs), so the program's code may touch a dialog's controls before
// showing it and find them initialised.
#ifndef FRELANE_PLATFORM_FORMS_CONTROL_H_
#define FRELANE_PLATFORM_FORMS_CONTROL_H_

#include <functional>
#include <string>
#include <vector>

#include "platform/forms/picture.h"
#include "platform/forms/types.h"

namespace forms {

class Application;
class Control;
class Form;

// The design-time values of a control. Write them with designated initializers, in this
// order: {.caption = "&Save", .tab_index = 4, .causes_validation = false}.
struct Design {
  Control* container = nullptr;  // a Frame or PictureBox; nullptr: the form
  std::string caption = "";      // Label, CommandButton, Frame, CheckBox, OptionButton, Menu
  std::string text = "";         // TextBox, ComboBox
  int tab_index = -1;            // -1: in the order the controls are added
  bool tab_stop = true;
  bool visible = true;
  bool enabled = true;
  bool causes_validation = true;
  std::string tool_tip = "";
  // What a screen reader calls the control where its caption, its label or its frame would
  // not tell it from its neighbours; "" leaves the name to them.
  std::string accessible_name = "";
  int help_context_id = 0;
  int max_length = 0;          // TextBox: 0 = no limit
  bool multi_line = false;     // TextBox
  bool locked = false;         // TextBox, ComboBox
  int style = 0;               // ComboBox: 0 drop-down (editable), 2 drop-down list
  int value = 0;               // CheckBox 0/1/2, OptionButton 0/1, scroll bar position
  int min = 0;                 // scroll bar
  int max = 32767;             // scroll bar
  int interval = 0;            // Timer, milliseconds
  bool is_default = false;     // CommandButton: Enter clicks it
  bool is_cancel = false;      // CommandButton: Escape clicks it
  // CommandButton: a toolbar button. It never takes the focus; pressing it checks only an
  // edit of the focused control still waiting for its Validate (when the button causes
  // validation), as a menu item does.
  bool toolbar = false;
  bool auto_size = false;      // Label, PictureBox
  bool word_wrap = false;      // Label
  bool stretch = false;        // Image
  std::string font_name = "";  // empty: the form's font
  double font_size = 0;        // 0: the form's size
  bool font_bold = false;
  Color fore_color = kColorWindowText;
  Color back_color = kColorWindow;
  std::vector<std::string> list = {};  // ComboBox, ListBox items
  std::string pattern = "*.*";         // FileListBox
};

// The handlers of one control. Unset slots are simply not called. Names follow the events.
struct ControlEvents {
  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void()> Change;
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;
  std::function<void(bool& cancel)> Validate;
  std::function<void(int& key_code, int shift)> KeyDown;
  std::function<void(int& key_ascii)> KeyPress;
  std::function<void(int& key_code, int shift)> KeyUp;
  std::function<void(int button, int shift, int x, int y)> MouseDown;
  std::function<void(int button, int shift, int x, int y)> MouseUp;
  std::function<void(int button, int shift, int x, int y)> MouseMove;
  std::function<void()> Timer;
  std::function<void()> Scroll;
};

class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  // Identity. Index is -1 for a control that is not an element of a control array.
  const std::string& Name() const { return name_; }
  int Index() const { return index_; }
  ControlKind Kind() const { return kind_; }
  Form& GetForm() const { return *form_; }
  Control* Container() const { return container_; }
  // "txtWeight(3)" or "txtOrigin": for messages and test failures.
  std::string DisplayName() const;

  // Geometry, twips, relative to the container.
  int Left();
  int Top();
  int Width();
  int Height();
  void SetLeft(int v);
  void SetTop(int v);
  void SetWidth(int v);
  void SetHeight(int v);
  void Move(int left, int top, int width, int height);
  // Without loading the form (for hosts).
  const Rect& Geometry() const { return rect_; }

  // Visible is the control's own flag; a control in a hidden frame keeps its own flag True
  // but is not shown: IsShown() tells that.
  bool Visible();
  void SetVisible(bool v);
  bool IsShown() const;
  // Enabled likewise; IsEffectivelyEnabled() also requires every container to be enabled.
  bool Enabled();
  void SetEnabled(bool v);
  bool IsEffectivelyEnabled() const;

  int TabIndex();
  void SetTabIndex(int v);
  bool TabStop();
  void SetTabStop(bool v);
  bool CausesValidation();
  void SetCausesValidation(bool v);
  std::string ToolTipText();
  void SetToolTipText(const std::string& v);
  int HelpContextID();
  void SetHelpContextID(int v);
  Color ForeColor();
  void SetForeColor(Color v);
  Color BackColor();
  void SetBackColor(Color v);
  std::string FontName();
  void SetFontName(const std::string& v);
  double FontSize();
  void SetFontSize(double v);
  bool FontBold();
  void SetFontBold(bool v);
  std::string Tag();
  void SetTag(const std::string& v);

  // Gives this control the focus, through Validate/LostFocus/GotFocus. Inside a focus handler
  // the move is queued and runs after the current one. False (and nothing happens) when the
  // control cannot take the focus: hidden, disabled, or of a kind that never does.
  bool SetFocus();
  // True when this control is the active control of its form.
  bool HasFocus() const;
  // True for kinds that can hold the focus and while shown and enabled.
  bool CanTakeFocus() const;
  // The kinds that can ever hold the focus (not labels, frames, images, lines, timers, menus,
  // toolbar buttons).
  bool IsFocusableKind() const;
  bool IsToolbarButton() const { return design_.toolbar; }
  void Refresh() {}

  ControlEvents on;

  // Tells the host a property changed; for the model's key and mouse handling.
  void NotifyFromModel(Property p) { Notify(p); }

  // Fires one of this control's event slots unless the program has ended. For the model's
  // own dispatch; code raises events by assigning properties.
  template <typename Slot, typename... Args>
  void Fire(const Slot& slot, Args&&... args) {
    if (slot && !Ended()) slot(std::forward<Args>(args)...);
  }

  // For hosts: the value of the design, as given to Form::Add.
  const Design& DesignValues() const { return design_; }
  // The name the design gives for screen readers; "" when it leaves it to the caption.
  const std::string& AccessibleName() const { return design_.accessible_name; }

 protected:
  Control(Form& form, ControlKind kind, std::string name, int index, const Rect& rect,
          const Design& design);

  // Loads the form when it is not loaded (a property was touched).
  void Touch();
  // Tells the host a property changed.
  void Notify(Property p);
  Application& App() const;

  // Returns the control to its design values (each load of the form).
  virtual void ResetToDesign();
  // The form unloads: stop what runs on its own (timers).
  virtual void OnUnload() {}
  // Enabled changed: timers re-arm.
  virtual void OnEnabledChanged() {}

  bool Ended() const;

 private:
  friend class Application;
  friend class Form;

  Form* form_;
  ControlKind kind_;
  std::string name_;
  int index_;
  Control* container_;
  Rect design_rect_;
  Design design_;
  int order_;  // creation order, breaks TabIndex ties

  Rect rect_;
  bool visible_ = true;
  bool enabled_ = true;
  int tab_index_ = 0;
  bool tab_stop_ = true;
  bool causes_validation_ = true;
  std::string tool_tip_;
  int help_context_id_ = 0;
  Color fore_color_ = kColorWindowText;
  Color back_color_ = kColorWindow;
  std::string font_name_;
  double font_size_ = 0;
  bool font_bold_ = false;
  std::string tag_;
  // The value shown (text, list row, value) changed while this control had the focus, and
  // no Validate has accepted it since.
  bool unchecked_edit_ = false;
};

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_CONTROL_H_
