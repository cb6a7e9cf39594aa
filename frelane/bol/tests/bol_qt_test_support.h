// The set-up the bill-of-lading tests in real Qt windows share: a copy of the sample
// installation as the data directory, its settings, the editor shown, and helpers to reach
// widgets and menus and take pictures.
#ifndef FRELANE_BOL_TESTS_BOL_QT_TEST_SUPPORT_H_
#define FRELANE_BOL_TESTS_BOL_QT_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "frelane/bol/frm_bol.h"
#include "frelane/bol/mod_bol.h"
#include "frelane/core/main_module.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/tests/qt_window_test.h"

namespace frelane {

class BolQtTest : public qtbind::QtWindowTest {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    modMain::Reset();
    modBOL::Reset();
    dir_.CopyFilesOf(FRELANE_INSTALL_DIR);
    fs::create_directories(dir_.File("BOLData"));
    for (const auto& bill : fs::directory_iterator(fs::path(FRELANE_INSTALL_DIR) / "BOLData")) {
      fs::copy_file(bill.path(), dir_.File("BOLData/" + bill.path().filename().string()));
    }
    modMain::Get().data_directory = dir_.path();
    std::string error;
    ASSERT_TRUE(modMain::LoadSettings(&error)) << error;
    editor_.Show();
    window_ = host_.WindowOf(editor_);
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  }
  void TearDown() override {
    if (editor_.IsLoaded()) {
      editor_.ShowBOL();  // clean: closing asks nothing
      editor_.Unload();
    }
    modBOL::Reset();
    modMain::Reset();
  }

  template <typename W = QWidget>
  W* Widget(forms::Control& control) {
    return qobject_cast<W*>(host_.WidgetOf(control));
  }
  QAction* MenuAction(const QString& menu, const QString& entry) {
    for (QMenu* m : window_->findChildren<QMenu*>()) {
      if (m->title() != menu) continue;
      for (QAction* a : m->actions()) {
        if (a->text() == entry) return a;
      }
    }
    return nullptr;
  }
  // Every caption shown on the window can be read whole.
  void ExpectNoCaptionCutOff() {
    QCoreApplication::processEvents();
    for (QWidget* w : window_->findChildren<QWidget*>()) {
      auto* label = qobject_cast<QLabel*>(w);
      auto* button = qobject_cast<QAbstractButton*>(w);
      if (!w->isVisible() || (label == nullptr && button == nullptr)) continue;
      if ((label && label->text().isEmpty()) || (button && button->text().isEmpty())) continue;
      if (label && label->wordWrap()) continue;
      // A push button's size hint has a style minimum; its text alone must fit.
      const int needed = qobject_cast<QPushButton*>(w)
                             ? w->fontMetrics().horizontalAdvance(button->text().remove('&'))
                             : w->sizeHint().width();
      EXPECT_LE(needed, w->width() + 2) << w->objectName().toStdString() << " is cut off";
    }
  }
  void Snap(const char* name) { Snap(window_, name); }
  void Snap(QWidget* window, const char* name) {
    QCoreApplication::processEvents();
    QDir().mkpath(FRELANE_SCREENSHOT_DIR);
    EXPECT_TRUE(window->grab().save(QString(FRELANE_SCREENSHOT_DIR "/") + name));
  }

  frmBOL& editor_ = app_.Get<frmBOL>();
  QWidget* window_ = nullptr;
};

}  // namespace frelane

#endif  // FRELANE_BOL_TESTS_BOL_QT_TEST_SUPPORT_H_
