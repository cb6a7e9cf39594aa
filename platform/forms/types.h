// Small value types shared by the form model, its hosts and its callers: control kinds,
// property names for change notices, key codes, mouse buttons and colours.
#ifndef FRELANE_PLATFORM_FORMS_TYPES_H_
#define FRELANE_PLATFORM_FORMS_TYPES_H_

#include <cstdint>
#include <string>

namespace forms {

enum class ControlKind {
  kTextBox,
  kLabel,
  kComboBox,
  kListBox,
  kCheckBox,
  kOptionButton,
  kFrame,
  kCommandButton,
  kImage,
  kPictureBox,
  kTimer,
  kMenu,
  kLine,
  kDriveListBox,
  kDirListBox,
  kFileListBox,
  kVScrollBar,
  kHScrollBar,
};

// The name of a kind as the program's code spells it ("TextBox", "CommandButton", ...).
const char* KindName(ControlKind kind);

// What changed, in a notice to the host. One notice per assignment that changed something.
enum class Property {
  kText,       // TextBox/ComboBox Text
  kSelection,  // SelStart/SelLength
  kCaption,
  kValue,  // CheckBox, OptionButton, scroll bar
  kList,   // items added, removed or cleared, ItemData
  kListIndex,
  kVisible,
  kEnabled,
  kGeometry,  // Left, Top, Width, Height, line ends
  kColors,
  kFont,
  kPicture,
  kToolTip,
  kTabOrder,
  kOther,  // MaxLength, Locked, Interval, Path, Pattern, ...
};

// Geometry in twips, relative to the container (the form's client area or a frame).
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

constexpr int kTwipsPerPixel = 15;  // at 96 dpi
constexpr int kTwipsPerInch = 1440;

// Colours are 0x00BBGGRR, as the program's numbers are written (255 is red).
using Color = std::uint32_t;
constexpr Color kColorBlack = 0x000000;
constexpr Color kColorWhite = 0xFFFFFF;
constexpr Color kColorWindow = 0xFFFFFF;
constexpr Color kColorButtonFace = 0xC0C0C0;
constexpr Color kColorWindowText = 0x000000;

// Screen.MousePointer values the program uses.
enum MousePointer : int { kMouseDefault = 0, kMouseHourglass = 11 };

// Shift argument bits of KeyDown/KeyUp/Mouse events.
constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;

// Mouse button argument.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;

// Key codes of KeyDown/KeyUp (virtual-key numbers). Letters and digits are their upper-case
// ASCII codes.
constexpr int kKeyBack = 8;
constexpr int kKeyTab = 9;
constexpr int kKeyReturn = 13;
constexpr int kKeyShift = 16;
constexpr int kKeyControl = 17;
constexpr int kKeyEscape = 27;
constexpr int kKeySpace = 32;
constexpr int kKeyPageUp = 33;
constexpr int kKeyPageDown = 34;
constexpr int kKeyEnd = 35;
constexpr int kKeyHome = 36;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
constexpr int kKeyInsert = 45;
constexpr int kKeyDelete = 46;
constexpr int kKeyF1 = 112;
constexpr int kKeyF4 = 115;

// Form_QueryUnload's UnloadMode.
enum UnloadMode : int { kUnloadFormControlMenu = 0, kUnloadFormCode = 1, kUnloadAppWindows = 2 };

enum class ShowMode { kModeless, kModal };

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_TYPES_H_
