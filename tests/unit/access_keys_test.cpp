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
  ui::Label lblRate{*this, "lblRate"};
  ui::TextBox txtRate{*this, "txtRate"};

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
    lblRate.Caption = "&Rate:";
    lblRate.Move(0, 700, 100, 100);
    txtRate.Move(0, 800, 100, 100);
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

// What Alt and a key do, from where the focus is: the focus moves and the
// clicks are raised in the order written.
TEST(AccessKeys, OneControlWithTheKeyAnswersItAndSeveralTakeTheFocusInTurn) {
  testkit::VirtualRuntime rt;
  KeyedForm f(rt);
  f.Show();
  std::string log;
  for (ui::Control* c : f.Controls()) {
    if (c->Kind() == ui::ControlKind::CommandButton)
      static_cast<ui::CommandButton*>(c)->Click = [&log, c] { log += "click " + c->Name() + " "; };
    if (c->Kind() == ui::ControlKind::OptionButton)
      static_cast<ui::OptionButton*>(c)->Click = [&log, c] { log += "click " + c->Name() + " "; };
    if (c->Kind() == ui::ControlKind::CheckBox)
      static_cast<ui::CheckBox*>(c)->Click = [&log, c] { log += "click " + c->Name() + " "; };
  }
  const auto answer = [&](char key, const ui::Control* focused) {
    log.clear();
    const bool answered = ui::AnswerAccessKey(
        f, key, focused, [&](const ui::Control& c) { log += "focus " + c.Name() + " "; });
    return (answered ? "" : "unanswered ") + log;
  };
  const struct {
    char key;
    const ui::Control* focused;
    std::string done;
  } cases[] = {
      {'n', nullptr, "click cmdConnect "},
      {'N', &f.txtRate, "click cmdConnect "},
      {'o', nullptr, "focus chkCallout click chkCallout "},
      {'r', nullptr, "focus txtRate "},  // a label's own key: the control after it
      {'x', &f.txtCount, "unanswered "},
      {0, nullptr, "unanswered "},
      // "c" is shared: the next of them after the focus, going round, and
      // none is pressed (the label among them gives the focus on).
      {'c', nullptr, "focus optCable "},
      {'c', &f.optCable, "focus txtCount "},
      {'c', &f.txtCount, "focus cmdClose "},
      {'c', &f.cmdConnect, "focus cmdClose "},
      {'c', &f.cmdClose, "focus optCable "},
      {'c', &f.txtRate, "focus optCable "},
  };
  for (const auto& t : cases)
    EXPECT_EQ(answer(t.key, t.focused), t.done)
        << t.key << " from " << (t.focused ? t.focused->Name() : "nowhere");
  f.lblCount.Enabled = false;
  f.cmdClose.Visible = false;
  EXPECT_EQ(answer('c', nullptr), "focus optCable click optCable ") << "the option button alone";
  f.txtRate.Enabled = false;
  EXPECT_EQ(answer('r', nullptr), "focus optCable ") << "past the end of the order, round";
}

}  // namespace
