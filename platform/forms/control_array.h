// Control arrays: controls sharing a name, told apart by Index (txtWeight(1)..txtWeight(8)).
// The array's handlers receive the index, as txtWeight_GotFocus(Index) does.
#ifndef FRELANE_PLATFORM_FORMS_CONTROL_ARRAY_H_
#define FRELANE_PLATFORM_FORMS_CONTROL_ARRAY_H_

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/forms/control.h"

namespace forms {

struct ArrayEvents {
  std::function<void(int index)> Click;
  std::function<void(int index)> DblClick;
  std::function<void(int index)> Change;
  std::function<void(int index)> GotFocus;
  std::function<void(int index)> LostFocus;
  std::function<void(int index, bool& cancel)> Validate;
  std::function<void(int index, int& key_code, int shift)> KeyDown;
  std::function<void(int index, int& key_ascii)> KeyPress;
  std::function<void(int index, int& key_code, int shift)> KeyUp;
  std::function<void(int index, int button, int shift, int x, int y)> MouseDown;
  std::function<void(int index, int button, int shift, int x, int y)> MouseUp;
  std::function<void(int index, int button, int shift, int x, int y)> MouseMove;
  std::function<void(int index)> Timer;
  std::function<void(int index)> Scroll;
};

class ControlArrayBase {
 public:
  explicit ControlArrayBase(std::string name) : name_(std::move(name)) {}
  virtual ~ControlArrayBase() = default;
  const std::string& Name() const { return name_; }
  ArrayEvents on;

 protected:
  // Routes every event slot of `element` to this array's slots with the element's index.
  void Route(Control& element);
  // Run-time error 340: the element does not exist.
  [[noreturn]] void ThrowMissing(int index) const;

 private:
  std::string name_;
};

class Form;

template <typename T>
class ControlArray : public ControlArrayBase {
 public:
  ControlArray(Form& form, std::string name) : ControlArrayBase(std::move(name)), form_(form) {}

  // The element at `index`; run-time error 340 when there is none.
  T& operator()(int index) const {
    auto it = elements_.find(index);
    if (it == elements_.end()) ThrowMissing(index);
    return *it->second;
  }
  T* Find(int index) const {
    auto it = elements_.find(index);
    return it == elements_.end() ? nullptr : it->second;
  }
  bool Exists(int index) const { return elements_.count(index) != 0; }
  int Count() const { return static_cast<int>(elements_.size()); }
  // -1 for an empty array.
  int LBound() const { return elements_.empty() ? -1 : elements_.begin()->first; }
  int UBound() const { return elements_.empty() ? -1 : elements_.rbegin()->first; }
  // Elements in index order.
  std::vector<T*> Elements() const {
    std::vector<T*> out;
    for (const auto& [i, c] : elements_) out.push_back(c);
    return out;
  }

  // Creates element `index` (design time; the form owns it).
  T& Add(int index, const Rect& rect, const Design& design = {});

 private:
  Form& form_;
  std::map<int, T*> elements_;
};

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_CONTROL_ARRAY_H_
