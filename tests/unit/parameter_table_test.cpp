// The parameter table and the rows the installation screen builds from it.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "console_harness.h"
#include "unit/frm_install.h"
#include "unit/parameter_table.h"

namespace {

using unit::FindParameterRow;
using unit::ParameterRow;

TEST(ParameterTable, EveryAddressALoadShowsHasARow) {
  for (int a = 0; a <= 274; ++a) {
    const bool modem_init = a >= 228 && a <= 255;
    if (unit::IsSkippedAddress(a) || modem_init) continue;
    EXPECT_NE(FindParameterRow(a), nullptr) << "address " << a;
  }
  EXPECT_EQ(FindParameterRow(6), nullptr);  // never loaded or shown
  EXPECT_TRUE(unit::IsSkippedAddress(226));
  EXPECT_NE(FindParameterRow(226), nullptr);  // the sign byte of 225 has a row
  EXPECT_EQ(FindParameterRow(301), nullptr);
  EXPECT_EQ(FindParameterRow(-1), nullptr);
}

TEST(ParameterTable, NameLabelsAreUniqueAndTheRelabelledOnesAreWhereExpected) {
  std::map<int, int> address_of_label;
  for (const ParameterRow& row : unit::ParameterRows()) {
    if (row.label < 0) continue;
    EXPECT_TRUE(address_of_label.emplace(row.label, row.address).second)
        << "label " << row.label << " names two rows";
  }
  const std::map<int, int> documented = {{8, 14},   {10, 227}, {12, 64}, {13, 62},
                                         {17, 65},  {18, 38},  {19, 40}, {20, 39},
                                         {62, 63},  {267, 267}, {274, 274}};
  for (auto [label, address] : documented) EXPECT_EQ(address_of_label[label], address) << label;
}

class InstallScreenRows : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(h.Start()); }
  unit::frmInstall& Screen() { return h.console.Get<unit::frmInstall>(); }
  testkit::ConsoleHarness h;
};

TEST_F(InstallScreenRows, FreshScreenIsLockedAndOnlyTheDocumentedBoxesTakeTyping) {
  unit::frmInstall& f = Screen();
  EXPECT_EQ(f.udProp[19].Value(), 1);  // Vnominal and EQU Hours start at 1
  EXPECT_EQ(f.udProp[14].Value(), 1);
  EXPECT_EQ(f.txtProp[89].Tag(), "I");  // on the Status page, changed at the Install level
  EXPECT_EQ(f.cmdProp[57].Tag(), "S2");
  EXPECT_EQ(f.cmdProp[25].Tag(), "BATTAH");
  EXPECT_EQ(f.cmdProp[225].Tag(), "AHADD");
  EXPECT_FALSE(f.cmdProp.Exists(101));  // the Memory page sends nothing

  std::set<int> typing;
  for (auto& [address, box] : f.txtProp)
    if (!box->Locked()) typing.insert(address);
  EXPECT_EQ(typing, (std::set<int>{25, 56, 58, 82, 83, 84}));
  for (auto& [address, ud] : f.udProp) EXPECT_FALSE(ud->Enabled()) << "row " << address;
  EXPECT_FALSE(f.udAH1.Enabled());
  EXPECT_FALSE(f.udAH2.Enabled());
}

// Two shown controls of one page never cover each other.
TEST_F(InstallScreenRows, ShownControlsOfAPageDoNotOverlap) {
  unit::frmInstall& f = Screen();
  for (const auto& [page_index, page] : f.fInstall) {
    std::vector<ui::Control*> shown;
    for (ui::Control* c : f.Controls()) {
      if (c->Container() != page.get() || !c->Visible()) continue;
      if (c->Kind() == ui::ControlKind::Frame || c->Width() == 0) continue;
      shown.push_back(c);
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
      for (std::size_t j = i + 1; j < shown.size(); ++j) {
        const ui::Control& a = *shown[i];
        const ui::Control& b = *shown[j];
        const bool apart = a.Left() + a.Width() <= b.Left() || b.Left() + b.Width() <= a.Left() ||
                           a.Top() + a.Height() <= b.Top() || b.Top() + b.Height() <= a.Top();
        EXPECT_TRUE(apart) << "page " << page_index << ": " << a.Name() << "(" << a.Index()
                           << ") covers " << b.Name() << "(" << b.Index() << ")";
      }
    }
    for (ui::Control* c : shown) {
      EXPECT_LE(c->Left() + c->Width(), page->Width()) << c->Name() << "(" << c->Index() << ")";
      EXPECT_LE(c->Top() + c->Height(), page->Height()) << c->Name() << "(" << c->Index() << ")";
    }
  }
}

}  // namespace
