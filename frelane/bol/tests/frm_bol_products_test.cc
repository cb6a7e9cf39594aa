// The product catalogue dialog through the headless driver, against Product.dat's bytes.
#include "frelane/bol/frm_bol_products.h"
#include "frelane/bol/tests/bol_test_support.h"

namespace frelane::testing {
namespace {

using testkit::bol::Product;
using testkit::bol::ProductBytes;

class ProductsTest : public BolTest {
 protected:
  void SetUp() override {
    BolTest::SetUp();
    WriteFile("Product.dat",
              testkit::bol::Concatenate(
                  {ProductBytes({"Oak flooring", "PT", "BD", "Prefinished oak boards", 0, 150, "55", 0}),
                   ProductBytes({"Old glue", "DR", "CN", "Discontinued", 0, 40, "60", 255}),
                   ProductBytes({"Pool acid", "PT", "DR", "Muriatic acid, 8", 1, 450, "85", 0})}));
  }
  frmBOLProducts& Dialog() {
    frmBOLProducts& f = app_.Get<frmBOLProducts>();
    f.Show();
    return f;
  }
  std::string Record(int n) { return Read("Product.dat").substr((n - 1) * 318, 318); }
  std::string Expected(const Product& p) { return AsText(ProductBytes(p)); }
};

TEST_F(ProductsTest, OpensWithTheProductsInUseAndNothingChosen) {
  frmBOLProducts& f = Dialog();
  ASSERT_EQ(f.cboProduct.ListCount(), 2);
  EXPECT_EQ(f.cboProduct.List(1), "Pool acid");
  EXPECT_EQ(f.cboProduct.ItemData(1), 3);
  EXPECT_EQ(f.cboProduct.ListIndex(), -1);
  EXPECT_EQ(f.txtDescription.Text(), "");
  EXPECT_EQ(f.cboHandlingUnitsType.ListCount(), 25);
  EXPECT_FALSE(f.mnuFileSave.Enabled());
  EXPECT_FALSE(f.mnuFileSaveAsNew.Enabled());
  EXPECT_FALSE(f.mnuEditDelete.Enabled());

  user_.Pick(f.cboProduct, 1);
  EXPECT_EQ(f.EditedProductRecord(), 3);
  EXPECT_EQ(f.cboPackagesType.Text(), "DR  ");
  EXPECT_EQ(f.chkHazardousMaterialsFlag.Value(), 1);
  EXPECT_EQ(f.txtWeight.Text(), "450");
  EXPECT_EQ(f.txtClass.Text(), "85");
  EXPECT_TRUE(f.mnuFileSaveAsNew.Enabled());
  EXPECT_TRUE(f.mnuEditDelete.Enabled());
}

TEST_F(ProductsTest, NewProductIsTypedAndAppended) {
  frmBOLProducts& f = Dialog();
  user_.TypeInto(f.cboProduct, "Canned beans");
  EXPECT_TRUE(f.mnuFileSave.Enabled());
  EXPECT_FALSE(f.mnuEditDelete.Enabled());
  user_.Pick(f.cboHandlingUnitsType, 0);  // "CT - Carton"
  EXPECT_EQ(f.cboHandlingUnitsType.Text(), "CT - Carton");
  user_.TypeInto(f.cboPackagesType, "CTNX");
  user_.Type("Y");  // a fifth character
  EXPECT_EQ(f.cboPackagesType.Text(), "CTNX");
  EXPECT_GE(user_.beeps(), 1);
  user_.TypeInto(f.txtDescription, "Beans, 24 cans");
  user_.TypeInto(f.txtWeight, "12");
  user_.TypeInto(f.txtClass, "77.5");
  user_.MenuClick(f.mnuFileSave);
  EXPECT_EQ(Record(4), Expected({"Canned beans", "CT", "CTNX", "Beans, 24 cans", 0, 12, "77.5", 0}));
  EXPECT_EQ(f.EditedProductRecord(), 4);
  EXPECT_EQ(f.cboProduct.ListCount(), 3);
  EXPECT_EQ(f.cboProduct.ItemData(f.cboProduct.ListIndex()), 4);
  EXPECT_EQ(f.txtWeight.Text(), "12");
}

TEST_F(ProductsTest, SaveRewritesSaveAsNewCopiesDeleteChangesOnlyTheStatus) {
  frmBOLProducts& f = Dialog();
  const std::string before = Record(1);
  user_.Pick(f.cboProduct, 0);
  user_.Focus(f.txtWeight);
  user_.Backspace();
  user_.TypeInto(f.txtClass, "100.5");
  EXPECT_EQ(f.txtClass.Text(), "100.");  // the box shows what the record keeps
  user_.MenuClick(f.mnuFileSave);
  EXPECT_EQ(Record(1), Expected({"Oak flooring", "PT", "BD", "Prefinished oak boards", 0, 0, "100.", 0}));
  EXPECT_EQ(f.txtWeight.Text(), "0");

  user_.TypeInto(f.cboProduct, "Oak flooring, long");
  user_.MenuClick(f.mnuFileSaveAsNew);
  EXPECT_EQ(Read("Product.dat").size(), 4u * 318);
  EXPECT_EQ(f.EditedProductRecord(), 4);
  EXPECT_EQ(f.cboProduct.Text(), "Oak flooring, long");
  EXPECT_EQ(Record(1).substr(0, 12), "Oak flooring");

  // Delete after an unsaved edit: the stored record keeps its bytes but the status.
  user_.Pick(f.cboProduct, 0);
  const std::string stored = Record(1);
  user_.TypeInto(f.txtDescription, "Edited but never saved");
  user_.MenuClick(f.mnuEditDelete);
  std::string deleted = stored;
  deleted[317] = static_cast<char>(255);
  EXPECT_EQ(Record(1), deleted);
  EXPECT_EQ(f.cboProduct.ListCount(), 2);
  EXPECT_EQ(f.cboProduct.Text(), "");
  EXPECT_EQ(f.txtDescription.Text(), "");
  EXPECT_FALSE(f.mnuEditDelete.Enabled());
  EXPECT_NE(before, stored);
}

}  // namespace
}  // namespace frelane::testing
