// Form: a window of the program. A form class derives from Form, creates its controls in
// code as members (name, kind, twips geometry, design values) and binds its handlers,
// named after their control and event:
//
//   class frmDefaults : public forms::Form {
//    public:
//     frmDefaults() : Form("frmDefaults", {.caption = "Defaults", .width = 7320,
//                                          .height = 9600, .key_preview = true}) {
//       Bind(txtFactor.on.Validate, &frmDefaults::txtFactor_Validate);
//     }
//     forms::TextBox& txtFactor = Add<forms::TextBox>("txtFactor", {120, 360, 1200, 285},
//                                                    {.tab_index = 0, .max_length = 5});
//    private:
//     void Form_Load() override;
//     void txtFactor_Validate(bool& cancel);
//   };
//
// Lifecycle: a form is created unloaded. Load (explicit, by Show, or by touching a control or
// property) puts every control back to its design values and runs Form_Load. Show makes it
// visible and active; a modal Show returns when the form is hidden or unloaded. Hide keeps it
// loaded with its values readable. Unload runs Form_QueryUnload and Form_Unload (either may
// cancel) and throws the values away.
#ifndef FRELANE_PLATFORM_FORMS_FORM_H_
#define FRELANE_PLATFORM_FORMS_FORM_H_

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/forms/button_controls.h"
#include "platform/forms/control.h"
#include "platform/forms/control_array.h"
#include "platform/forms/file_controls.h"
#include "platform/forms/list_controls.h"
#include "platform/forms/other_controls.h"
#include "platform/forms/picture.h"
#include "platform/forms/text_controls.h"
#include "platform/forms/types.h"

namespace forms {

class Application;

struct FormDesign {
  std::string caption = "";
  int left = 0;  // twips on the screen
  int top = 0;
  int width = 7320;
  int height = 9600;
  bool key_preview = false;
  Color back_color = kColorButtonFace;
  bool center = false;  // placed at the centre of its screen when first shown after a load
  std::string font_name = "MS Sans Serif";
  double font_size = 8;
};

class Form {
 public:
  // Registers with the current Application. REQUIRES: an Application exists.
  explicit Form(std::string name, FormDesign design = {});
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form();

  const std::string& Name() const { return name_; }
  Application& App() const { return app_; }

  // Lifecycle.
  void Load();
  // False when QueryUnload or Unload cancelled. Unloading an unloaded form does nothing.
  bool Unload();
  // Unload with the reason Form_QueryUnload receives (kUnloadFormControlMenu: the close box).
  bool UnloadWithMode(int unload_mode);
  void Show(ShowMode mode = ShowMode::kModeless);
  void ShowModal() { Show(ShowMode::kModal); }
  void Hide();
  bool IsLoaded() const { return loaded_; }
  bool IsVisible() const { return loaded_ && visible_; }
  bool IsModal() const { return modal_; }

  // Properties (touching them loads the form).
  std::string Caption();
  void SetCaption(const std::string& caption);
  int Left();
  int Top();
  int Width();
  int Height();
  void SetLeft(int v);
  void SetTop(int v);
  void SetWidth(int v);
  void SetHeight(int v);
  void Move(int left, int top, int width, int height);
  bool Visible();
  void SetVisible(bool v);  // True shows modeless, False hides
  bool Enabled();
  void SetEnabled(bool v);
  bool KeyPreview();
  void SetKeyPreview(bool v);
  Color BackColor();
  void SetBackColor(Color v);
  Picture Icon();
  void SetIcon(const Picture& icon);
  Picture GetPicture();
  void SetPicture(const Picture& picture);
  std::string FontName() const { return design_.font_name; }
  double FontSize() const { return design_.font_size; }
  // The interior's size (the form's size less the frame and title), twips.
  int ScaleWidth();
  int ScaleHeight();
  void Refresh();

  // For hosts: without loading.
  const std::string& CaptionValue() const { return caption_; }
  const Rect& Geometry() const { return rect_; }
  const Picture& IconValue() const { return icon_; }
  const Picture& PictureValue() const { return picture_; }

  // The control that has (or will get, once shown) the focus; nullptr when none.
  Control* ActiveControl() const { return active_; }
  // Every control in creation order.
  const std::vector<Control*>& Controls() const { return controls_; }
  // A control by name and index (-1: not an array element), case-insensitive; nullptr when
  // there is none.
  Control* FindControl(const std::string& name, int index = -1) const;
  // The controls that Tab visits, in order (shown, enabled, TabStop, focusable).
  std::vector<Control*> TabOrder() const;
  // The button Enter or Escape clicks, nullptr when none.
  CommandButton* DefaultButton() const;
  CommandButton* CancelButton() const;

  // Form events: the handlers a form class overrides.
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_Deactivate() {}
  virtual void Form_QueryUnload(bool& /*cancel*/, int /*unload_mode*/) {}
  virtual void Form_Unload(bool& /*cancel*/) {}
  virtual void Form_Click() {}
  virtual void Form_DblClick() {}
  virtual void Form_Paint() {}
  virtual void Form_Resize() {}
  virtual void Form_KeyDown(int& /*key_code*/, int /*shift*/) {}
  virtual void Form_KeyPress(int& /*key_ascii*/) {}
  virtual void Form_KeyUp(int& /*key_code*/, int /*shift*/) {}
  virtual void Form_MouseMove(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}

 protected:
  // Creates a control (design time: call from member initializers or the constructor).
  template <typename T>
  T& Add(std::string name, const Rect& rect, const Design& design = {}) {
    auto control = std::make_unique<T>(*this, std::move(name), -1, rect, design);
    T& ref = *control;
    Adopt(std::move(control));
    return ref;
  }
  // Creates an empty control array; add elements with array.Add(index, rect, design).
  template <typename T>
  ControlArray<T>& AddArray(std::string name) {
    auto array = std::make_unique<ControlArray<T>>(*this, std::move(name));
    ControlArray<T>& ref = *array;
    arrays_.push_back(std::move(array));
    return ref;
  }
  // Binds an event slot to a member function of the form class:
  //   Bind(txtWeight.on.GotFocus, &frmRatingScreen::txtWeight_GotFocus);
  template <typename F, typename... A>
  void Bind(std::function<void(A...)>& slot, void (F::*handler)(A...)) {
    F* self = static_cast<F*>(this);
    slot = [self, handler](A... args) { (self->*handler)(std::forward<A>(args)...); };
  }

 private:
  template <typename T>
  friend class ControlArray;
  friend class Application;
  friend class Control;

  void Adopt(std::unique_ptr<Control> control);
  void Touch();
  void Notify(Property p);
  void SetActive(Control* c) { active_ = c; }

  Application& app_;
  std::string name_;
  FormDesign design_;
  std::vector<std::unique_ptr<Control>> owned_;
  std::vector<Control*> controls_;
  std::vector<std::unique_ptr<ControlArrayBase>> arrays_;

  bool loaded_ = false;
  bool visible_ = false;
  bool modal_ = false;
  bool placed_ = false;  // centred since the last load
  Control* active_ = nullptr;
  std::string caption_;
  Rect rect_;
  bool enabled_ = true;
  bool key_preview_ = false;
  Color back_color_ = kColorButtonFace;
  Picture icon_;
  Picture picture_;
};

template <typename T>
T& ControlArray<T>::Add(int index, const Rect& rect, const Design& design) {
  auto control = std::make_unique<T>(form_, Name(), index, rect, design);
  T& ref = *control;
  form_.Adopt(std::move(control));
  elements_[index] = &ref;
  Route(ref);
  return ref;
}

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_FORM_H_
