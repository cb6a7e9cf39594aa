#include "platform/qt/control_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "platform/forms/button_controls.h"
#include "platform/forms/form.h"
#include "platform/forms/list_controls.h"
#include "platform/forms/other_controls.h"
#include "platform/forms/text_controls.h"
#include "platform/qt/accessible_combo_box.h"
#include "platform/qt/list_view.h"
#include "platform/qt/qt_fonts.h"

namespace qtbind {
namespace {

using forms::ControlKind;

// A frame's caption sits on its top border, as the forms were laid out for: the controls
// placed just below the caption then lie inside the border. The caption hides the line
// behind it; a frame without a caption has its border at its top.
void SetFrameLook(QGroupBox& box, const QColor& back) {
  const QString sheet =
      box.title().isEmpty()
          ? QStringLiteral("QGroupBox { border: 1px solid #808080; margin-top: 0px; }")
          : QStringLiteral("QGroupBox { border: 1px solid #808080; margin-top: 7px; }"
                           "QGroupBox::title { subcontrol-origin: margin; left: 6px;"
                           " padding: 0px 2px; background-color: %1; }")
                .arg(back.name());
  if (box.styleSheet() != sheet) box.setStyleSheet(sheet);
}

// The caption keeps its underlined letter, but Alt with that letter goes to the model (which
// presses the control), not to a shortcut of the widget's own.
void SetButtonText(QAbstractButton& button, const QString& text) {
  if (button.text() == text) return;
  button.setText(text);
  button.setShortcut(QKeySequence());
}

// A line control: the segment between its rectangle's corners.
class LineWidget : public QWidget {
 public:
  explicit LineWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  void SetEnds(QPoint from, QPoint to, QColor color) {
    from_ = from;
    to_ = to;
    color_ = color;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(color_);
    painter.drawLine(from_, to_);
  }

 private:
  QPoint from_, to_;
  QColor color_ = Qt::black;
};

QColor ToQColor(forms::Color color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// Multi-line text of the model uses CR LF; Qt shows LF.
QString ShownText(const std::string& text) {
  QString shown = Utf8(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

void SyncItems(forms::ComboBox& combo, QComboBox& widget) {
  QStringList items;
  for (const std::string& item : combo.Items()) items.push_back(Utf8(item));
  QStringList shown;
  for (int i = 0; i < widget.count(); ++i) shown.push_back(widget.itemText(i));
  if (shown != items) {
    widget.clear();
    widget.addItems(items);
  }
  if (combo.Editable()) {
    const forms::TextField& field = combo.Field();
    widget.lineEdit()->setText(Utf8(field.Text()));
    widget.lineEdit()->setSelection(field.SelStart(), field.SelLength());
    if (field.SelLength() == 0) widget.lineEdit()->setCursorPosition(field.SelStart());
  } else {
    widget.setCurrentIndex(combo.CurrentIndex());
  }
}

void SyncValue(forms::Control& control, QWidget& widget) {
  switch (control.Kind()) {
    case ControlKind::kTextBox: {
      const forms::TextField& field = static_cast<forms::TextBox&>(control).Field();
      if (auto* line = qobject_cast<QLineEdit*>(&widget)) {
        line->setText(Utf8(field.Text()));
        if (field.SelLength() > 0) {
          line->setSelection(field.SelStart(), field.SelLength());
        } else {
          line->setCursorPosition(field.SelStart());
        }
      } else if (auto* edit = qobject_cast<QPlainTextEdit*>(&widget)) {
        if (edit->toPlainText() != ShownText(field.Text())) {
          edit->setPlainText(ShownText(field.Text()));
        }
      }
      break;
    }
    case ControlKind::kLabel: {
      auto& label = static_cast<QLabel&>(widget);
      QString text = CaptionText(static_cast<forms::Label&>(control).CaptionValue(), false);
      // A label with a buddy reads "&" as an access key mark: the model keeps the keys.
      if (label.buddy() != nullptr) text.replace(QChar('&'), QStringLiteral("&&"));
      label.setText(text);
      break;
    }
    case ControlKind::kCommandButton:
      SetButtonText(static_cast<QPushButton&>(widget),
                    CaptionText(static_cast<forms::CommandButton&>(control).CaptionValue(), true));
      break;
    case ControlKind::kCheckBox: {
      auto& box = static_cast<forms::CheckBox&>(control);
      auto& check = static_cast<QCheckBox&>(widget);
      SetButtonText(check, CaptionText(box.CaptionValue(), true));
      check.setCheckState(box.CurrentValue() == forms::CheckBox::kChecked ? Qt::Checked
                          : box.CurrentValue() == forms::CheckBox::kGrayed
                              ? Qt::PartiallyChecked
                              : Qt::Unchecked);
      break;
    }
    case ControlKind::kOptionButton: {
      auto& option = static_cast<forms::OptionButton&>(control);
      auto& radio = static_cast<QRadioButton&>(widget);
      SetButtonText(radio, CaptionText(option.CaptionValue(), true));
      if (radio.isChecked() != option.CurrentValue()) {
        // Qt refuses to clear the chosen button of an exclusive group; the model may.
        radio.setAutoExclusive(false);
        radio.setChecked(option.CurrentValue());
        radio.setAutoExclusive(true);
      }
      break;
    }
    case ControlKind::kFrame: {
      auto& box = static_cast<QGroupBox&>(widget);
      const std::string& caption = static_cast<forms::Frame&>(control).CaptionValue();
      box.setTitle(CaptionText(caption, true));
      // Unnamed, Qt names a frame inside another by the outer frame's caption.
      box.setAccessibleName(CaptionText(caption, false));
      SetFrameLook(box, ToQColor(control.GetForm().BackColor()));
      break;
    }
    case ControlKind::kComboBox:
      SyncItems(static_cast<forms::ComboBox&>(control), static_cast<QComboBox&>(widget));
      break;
    case ControlKind::kListBox:
    case ControlKind::kDriveListBox:
    case ControlKind::kDirListBox:
    case ControlKind::kFileListBox:
      static_cast<ListView&>(widget).Sync();
      break;
    case ControlKind::kImage:
    case ControlKind::kPictureBox: {
      auto& picture = static_cast<forms::PictureControl&>(control);
      auto& label = static_cast<QLabel&>(widget);
      const std::string& path = picture.CurrentPicture().path;
      label.setPixmap(path.empty() ? QPixmap() : QPixmap(Utf8(path)));
      label.setScaledContents(picture.Stretch());
      break;
    }
    case ControlKind::kVScrollBar:
    case ControlKind::kHScrollBar: {
      auto& bar = static_cast<forms::ScrollBar&>(control);
      auto& scroll = static_cast<QScrollBar&>(widget);
      scroll.setRange(bar.Min(), bar.Max());
      scroll.setSingleStep(bar.SmallChange());
      scroll.setPageStep(bar.LargeChange());
      scroll.setValue(bar.CurrentValue());
      break;
    }
    case ControlKind::kLine: {
      const forms::Rect& r = control.Geometry();
      const int x0 = std::min(r.left, r.left + r.width);
      const int y0 = std::min(r.top, r.top + r.height);
      const QPoint from((r.left - x0) / forms::kTwipsPerPixel, (r.top - y0) / forms::kTwipsPerPixel);
      const QPoint to((r.left + r.width - x0) / forms::kTwipsPerPixel,
                      (r.top + r.height - y0) / forms::kTwipsPerPixel);
      static_cast<LineWidget&>(widget).SetEnds(from, to, ToQColor(control.ForeColor()));
      break;
    }
    case ControlKind::kTimer:
    case ControlKind::kMenu:
      break;
  }
}

// What shows no words of its own (a picture, a list, a button captioned by a single sign or
// letter) is named for a screen reader by its tool tip, the words a sighted user is given.
bool NamedByToolTip(forms::Control& control) {
  switch (control.Kind()) {
    case ControlKind::kImage:
    case ControlKind::kPictureBox:
    case ControlKind::kListBox:
    case ControlKind::kDriveListBox:
    case ControlKind::kDirListBox:
    case ControlKind::kFileListBox:
      return true;
    case ControlKind::kCommandButton:
      return CaptionText(static_cast<forms::CommandButton&>(control).CaptionValue(), false)
                 .trimmed()
                 .size() <= 1;
    default:
      return false;
  }
}

}  // namespace

QRect ToPixels(const forms::Rect& twips) {
  return QRect(twips.left / forms::kTwipsPerPixel, twips.top / forms::kTwipsPerPixel,
               twips.width / forms::kTwipsPerPixel, twips.height / forms::kTwipsPerPixel);
}

int ToTwips(int pixels) { return pixels * forms::kTwipsPerPixel; }

QString CaptionText(const std::string& caption, bool keep_mnemonic) {
  QString text = Utf8(caption);
  if (keep_mnemonic) return text;
  QString shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QChar('&') && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown;
}

QWidget* CreateControlWidget(forms::Control& control, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (control.Kind()) {
    case ControlKind::kTextBox:
      if (static_cast<forms::TextBox&>(control).MultiLine()) {
        widget = new QPlainTextEdit(parent);
      } else {
        widget = new QLineEdit(parent);
      }
      break;
    case ControlKind::kLabel: {
      auto* label = new QLabel(parent);
      label->setWordWrap(static_cast<forms::Label&>(control).WordWrap());
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      widget = label;
      break;
    }
    case ControlKind::kCommandButton:
      widget = new QPushButton(parent);
      break;
    case ControlKind::kCheckBox:
      widget = new QCheckBox(parent);
      break;
    case ControlKind::kOptionButton: {
      // Exclusive in Qt too, which is what makes it announced as an option button of its
      // group (the siblings in its frame) rather than a check box; the model still decides
      // which option is chosen, since no input reaches the widget.
      auto* radio = new QRadioButton(parent);
      radio->setAutoExclusive(true);
      widget = radio;
      break;
    }
    case ControlKind::kFrame:
      widget = new QGroupBox(parent);
      break;
    case ControlKind::kComboBox: {
      auto* combo = new QComboBox(parent);
      combo->setEditable(static_cast<forms::ComboBox&>(control).Editable());
      // Typed keys go to the model, which keeps the text. Left to itself, Qt takes a typed
      // text that matches a list entry as a pick of that entry when the focus leaves the
      // box, and the pick would bring the focus back: only a pick in the list is a pick.
      if (QLineEdit* line = combo->lineEdit()) {
        combo->setCompleter(nullptr);
        QObject::disconnect(line, &QLineEdit::editingFinished, combo, nullptr);
      }
      UseAccessibleComboBox(*combo);
      widget = combo;
      break;
    }
    case ControlKind::kListBox:
    case ControlKind::kDriveListBox:
    case ControlKind::kDirListBox:
    case ControlKind::kFileListBox:
      widget = new ListView(static_cast<forms::ListControl&>(control), parent);
      break;
    case ControlKind::kImage:
    case ControlKind::kPictureBox:
      widget = new QLabel(parent);
      break;
    case ControlKind::kVScrollBar:
      widget = new QScrollBar(Qt::Vertical, parent);
      break;
    case ControlKind::kHScrollBar:
      widget = new QScrollBar(Qt::Horizontal, parent);
      break;
    case ControlKind::kLine:
      widget = new LineWidget(parent);
      break;
    case ControlKind::kTimer:
    case ControlKind::kMenu:
      return nullptr;
  }
  widget->setObjectName(QString::fromStdString(control.DisplayName()));
  // The model decides where the focus goes; Qt never moves it on its own.
  widget->setFocusPolicy(Qt::NoFocus);
  widget->setContextMenuPolicy(Qt::NoContextMenu);
  widget->setAcceptDrops(false);
  widget->setMouseTracking(true);
  for (QWidget* child : widget->findChildren<QWidget*>()) {
    child->setFocusPolicy(Qt::NoFocus);
    child->setContextMenuPolicy(Qt::NoContextMenu);
    child->setAcceptDrops(false);
  }
  return widget;
}

void SyncControlWidget(forms::Control& control, QWidget& widget) {
  const QSignalBlocker blocker(&widget);
  SyncValue(control, widget);
  forms::Rect rect = control.Geometry();
  if (control.Kind() == ControlKind::kLine) {
    rect = {std::min(rect.left, rect.left + rect.width), std::min(rect.top, rect.top + rect.height),
            std::abs(rect.width) + forms::kTwipsPerPixel,
            std::abs(rect.height) + forms::kTwipsPerPixel};
  }
  widget.setGeometry(ToPixels(rect));
  const forms::Design& design = control.DesignValues();
  const std::string font_name = control.FontName();
  if (!font_name.empty()) {
    const QFont font = WindowFont(font_name, control.FontSize() > 0 ? control.FontSize()
                                                                    : design.font_size,
                                  control.FontBold());
    widget.setFont(font);
    // An editable combo box's text field was given the application font when it was made,
    // so it does not follow the combo's own font by itself.
    if (auto* combo = qobject_cast<QComboBox*>(&widget); combo && combo->lineEdit()) {
      combo->lineEdit()->setFont(font);
    }
  }
  if (control.Kind() == ControlKind::kLabel) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, ToQColor(control.ForeColor()));
    widget.setPalette(palette);
  }
  const QString tip = QString::fromStdString(control.ToolTipText());
  widget.setToolTip(tip);
  if (!control.AccessibleName().empty()) {
    widget.setAccessibleName(Utf8(control.AccessibleName()));
  } else if (NamedByToolTip(control)) {
    widget.setAccessibleName(tip);
  } else if (control.Kind() == ControlKind::kCommandButton) {
    widget.setAccessibleName(QString());  // a caption in words again names it
  }
  widget.setEnabled(control.Enabled());
  widget.setVisible(control.Visible());
}

}  // namespace qtbind
