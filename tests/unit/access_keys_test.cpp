// Which letter a caption gives Alt, and which controls of a window answer it.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ui/access_keys.h"
#include "ui/controls.h"
#include "virtual_runtime.h"

namespace {

TEST(AccessKeys, CaptionGivesTheLetterAfterItsSingleAmpersand) {
  const std::pair<std::string, char> cases[] = {
      {"&OK", 'o'},          {"C&lear Buffer", 'l'}, {"Save &Window", 'w'}, {"&1 minute", '1'},
      {"R&&D &next", 'n'},   {"A && B", 0},          {"Plain", 0},          {"ends in &", 0},
      {"", 0},
  };
  for (const auto& [caption, key] : cases) EXPECT_EQ(ui::AccessKey(caption), key) << caption;
}

// Placed in an order other than the members': the order of the answers is
// the window's focus order.
class KeyedForm : public ui::Form {
 public:
  explicit KeyedForm(ui::Runtime& rt) : ui::Form(rt, "frmKeyed") {}
  ui::CommandButton cmdClose{*this, "cmdClose"};
  ui::Label lblCount{*this, "lblCount"};
  ui::TextBox txtCount{*this, "txtCount"};
  ui::OptionButton optCable{*this, "optCable"};
  ui::CheckBox chkCallout{*this, "chkCallout"};
  ui::Frame fraConn{*this, "fraConn"};
  ui::CommandButton cmdConnect{*this, "cmdConnect"};

 protected:
  void Design() override {
    fraConn.Caption = "&Connection";  // a frame's key is the widgets' own
    fraConn.Move(0, 0, 100, 100);
    optCable.Caption = "&Cable";
    optCable.Move(0, 100, 100, 100);
    lblCount.Caption = "&Count:";
    lblCount.Move(0, 200, 100, 100);
    txtCount.Move(0, 300, 100, 100);
    chkCallout.Caption = "Call&out";
    chkCallout.Move(0, 400, 100, 100);
    cmdConnect.Caption = "Co&nnect";
    cmdConnect.Move(0, 500, 100, 100);
    cmdClose.Caption = "&Close";
    cmdClose.Move(0, 600, 100, 100);
  }
};

TEST(AccessKeys, TargetsAreTheShownAndEnabledControlsWithTheKeyInFocusOrder) {
  testkit::VirtualRuntime rt;
  KeyedForm f(rt);
  f.Show();
  const auto names = [&](char key) {
    std::string out;
    for (const ui::Control* c : ui::AccessKeyTargets(f, key)) out += c->Name() + " ";
    return out;
  };
  EXPECT_EQ(names('c'), "optCable lblCount cmdClose ");
  EXPECT_EQ(names('C'), names('c'));
  EXPECT_EQ(names('o'), "chkCallout ");
  EXPECT_EQ(names('x'), "");
  EXPECT_EQ(names(0), "");
  f.optCable.Visible = false;
  f.lblCount.Enabled = false;
  EXPECT_EQ(names('c'), "cmdClose ");
  f.cmdClose.Enabled = false;
  EXPECT_EQ(names('c'), "");
}

}  // namespace
