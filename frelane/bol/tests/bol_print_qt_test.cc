// The printing, product and import windows of the editor in real Qt windows (offscreen):
// a bill printed from File > Print to the "PDF file" printer (the PDF's text and its
// picture), a product typed key by key and saved from the menu, and an import chosen by
// double-click in the folder list.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <sstream>

#include "frelane/bol/frm_bol.h"
#include "frelane/bol/frm_bol_products.h"
#include "frelane/bol/frm_import.h"
#include "frelane/bol/frm_print.h"
#include "frelane/bol/mod_bol.h"
#include "frelane/bol/tests/bol_qt_test_support.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "platform/forms/application.h"
#include "platform/print/printers.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/qt_print_system.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

QString RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The Qt printers with "PDF file" writing to a file of the test.
class BolPrintQtTest : public BolQtTest {
 protected:
  void SetUp() override {
    pdf_ = pdf_dir_.filePath(QStringLiteral("bill.pdf"));
    previous_ = print::InstallPrintSystem(
        std::make_unique<qtbind::QtPrintSystem>([this] { return pdf_; }));
    BolQtTest::SetUp();
  }
  void TearDown() override {
    BolQtTest::TearDown();
    print::InstallPrintSystem(std::move(previous_));
  }

  // Triggers the menu entry while a user answers every message box with its default button,
  // keeping its text in *messages, and does `act` once on the window `dialog` gives (null
  // while the dialog is not up yet); returns when `count` messages have been seen.
  void UseDialogFromMenu(const QString& menu, const QString& entry,
                         const std::function<QWidget*()>& dialog,
                         const std::function<void(QWidget*)>& act, qsizetype count,
                         QStringList* messages) {
    bool acted = false;
    QTimer user;
    user.setInterval(30);
    QObject::connect(&user, &QTimer::timeout, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        messages->push_back(box->text());
        box->defaultButton() ? box->defaultButton()->click() : box->accept();
        return;
      }
      if (acted) return;
      QWidget* window = dialog();
      if (window == nullptr || !window->isVisible()) return;
      acted = true;
      act(window);
    });
    user.start();
    QAction* action = MenuAction(menu, entry);
    ASSERT_NE(action, nullptr);
    action->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages->size() >= count; }, 10000));
  }

  QTemporaryDir pdf_dir_;
  QString pdf_;
  std::unique_ptr<print::PrintSystem> previous_;
};

TEST_F(BolPrintQtTest, ABillPrintsToAPdfWithEveryFieldAndLegalText) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  }
  ASSERT_TRUE(editor_.ReadBOLFile("CPG-0007.BOL"));
  editor_.ShowBOL();

  // The printer dialog: "PDF file" chosen from its list, then OK; every message answered.
  frmPrint& dialog = app_.Get<frmPrint>();
  QStringList messages;
  ASSERT_NO_FATAL_FAILURE(UseDialogFromMenu(
      QStringLiteral("&File"), QStringLiteral("&Print"),
      [&]() -> QWidget* {
        return dialog.IsLoaded() && dialog.Visible() ? host_.WindowOf(dialog) : nullptr;
      },
      [&](QWidget* window) {
        auto* combo = Widget<QComboBox>(dialog.cboPrinters);
        const int last = combo->count() - 1;
        EXPECT_EQ(combo->itemText(last), QStringLiteral("PDF file"));
        combo->setCurrentIndex(last);
        Q_EMIT combo->activated(last);
        Snap(window, "bol_print_dialog.png");
        QTest::mouseClick(Widget(dialog.btnOK), Qt::LeftButton);
      },
      1, &messages));
  EXPECT_EQ(messages, QStringList{QStringLiteral("Printing successfully completed")});

  const QString text = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf_,
                                                         QStringLiteral("-")})
                           .simplified();
  ASSERT_FALSE(text.isEmpty());
  const char* fields[] = {
      "Page 1 of 1", "CPG-0007", "12/03/2026", "Cedar Point Glass", "700 Kiln Ave", "Ostrow",
      "Erie", "44101", "* COD *", "Northgate Hardware", "Cashier's Check Only",
      "310 Rue Principale", "Lac Vert", "K1A0B1", "1250.00", "Lakeshore Freight Audit",
      "77 Ledger Ln", "53703", "3 CR", "12 PC", "2,640", "Tempered glass panels in wooden crates",
      "1 PT", "2 DR", "900", "Hydrochloric acid solution, UN1789, 8, PG II", "3,540", "TOTALS"};
  for (const char* field : fields) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(field))) << field;
  }
  const std::string company = modMain::Trim(modMain::Settings().Text(settings::kCompanyName));
  EXPECT_TRUE(text.contains(QString::fromStdString(company))) << company;
  // Every text of the blank form.
  std::istringstream form(testkit::ReadFile(std::string(FRELANE_BOL_GOLDEN_DIR) + "/blank_form.txt"));
  int texts = 0;
  for (std::string line; std::getline(form, line);) {
    if (line.rfind("text ", 0) != 0) continue;
    const std::size_t open = line.find(" \"", line.find("\"Arial\"") + 7);
    const QString caption =
        QString::fromUtf8(line.substr(open + 2, line.size() - open - 3)).simplified();
    ++texts;
    EXPECT_TRUE(text.contains(caption)) << caption.toStdString();
  }
  EXPECT_EQ(texts, 107);

  // The page as a picture, to look at.
  if (!QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
    QDir().mkpath(FRELANE_SCREENSHOT_DIR);
    RunTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"),
                                     QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf_,
                                     QStringLiteral(FRELANE_SCREENSHOT_DIR "/bol_printed")});
    EXPECT_TRUE(QFile::exists(QStringLiteral(FRELANE_SCREENSHOT_DIR "/bol_printed.png")));
  }
}

TEST_F(BolPrintQtTest, AProductTypedKeyByKeyIsSavedFromTheMenu) {
  frmBOLProducts& products = app_.Get<frmBOLProducts>();
  products.Show();
  window_ = host_.WindowOf(products);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  QWidget* name = Widget(products.cboProduct);
  QTest::mouseClick(name, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return products.cboProduct.HasFocus(); }, 2000));
  QTest::keyClicks(name, "Maple syrup");
  QTest::keyClick(name, Qt::Key_Return);  // Enter moves on as Tab
  QWidget* units = Widget(products.cboHandlingUnitsType);
  ASSERT_TRUE(QTest::qWaitFor([&] { return units->hasFocus(); }, 2000));
  QTest::keyClicks(units, "PTXYZ");  // the fifth key is refused
  EXPECT_EQ(products.cboHandlingUnitsType.Text(), "PTXY");
  QTest::mouseClick(Widget(products.txtDescription), Qt::LeftButton);
  QTest::keyClicks(Widget(products.txtDescription), "Syrup in jugs");
  QTest::mouseClick(Widget(products.txtWeight), Qt::LeftButton);
  QTest::keyClicks(Widget(products.txtWeight), "4a2");
  QTest::mouseClick(Widget(products.txtClass), Qt::LeftButton);
  QTest::keyClicks(Widget(products.txtClass), "77.5");
  QAction* save = MenuAction(QStringLiteral("&File"), QStringLiteral("&Save"));
  ASSERT_NE(save, nullptr);
  save->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return products.EditedProductRecord() == 5; }, 2000));
  const std::string record = testkit::ReadFile(dir_.File("Product.dat")).substr(4 * 318, 318);
  EXPECT_EQ(record.substr(0, 11), "Maple syrup");
  EXPECT_EQ(record.substr(50, 4), "PTXY");
  EXPECT_EQ(record.substr(58, 13), "Syrup in jugs");
  EXPECT_EQ(record.substr(309, 4), std::string("\x2a\0\0\0", 4));  // 42 pounds
  EXPECT_EQ(record.substr(313, 4), "77.5");
  Snap("bol_products.png");
  products.Unload();
  window_ = host_.WindowOf(editor_);
}

TEST_F(BolPrintQtTest, AnImportChosenByDoubleClickReplacesTheBooks) {
  std::filesystem::create_directory(dir_.File("old"));
  const std::string shippers = "Alder Mill" + std::string(158, ' ') + std::string(1, '\0');
  dir_.Write("old/Shipper.dat", shippers);
  frmImport& import = app_.Get<frmImport>();
  QStringList messages;
  ASSERT_NO_FATAL_FAILURE(UseDialogFromMenu(
      QStringLiteral("&File"), QStringLiteral("&Import"),
      [&]() -> QWidget* { return import.IsLoaded() ? host_.WindowOf(import) : nullptr; },
      [&](QWidget* window) {
        auto* list = Widget<QListView>(import.Dir1);
        const QModelIndexList found =
            list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                 QString::fromStdString(dir_.File("old")), 1, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        const QRect row = list->visualRect(found[0]);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
        EXPECT_EQ(import.Dir1.Path(), dir_.File("old"));
        Snap(window, "bol_import.png");
        QTest::mouseClick(Widget(import.btnOK), Qt::LeftButton);
      },
      2, &messages));
  EXPECT_EQ(messages, (QStringList{QStringLiteral("Information already exists.  Would you like to overwrite?"),
                                   QStringLiteral("Import Complete")}));
  EXPECT_EQ(testkit::ReadFile(dir_.File("Shipper.dat")), shippers);
  EXPECT_EQ(editor_.cboShipperName.ListCount(), 1);
}

}  // namespace
}  // namespace frelane
