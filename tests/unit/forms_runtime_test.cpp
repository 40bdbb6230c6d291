// The semantics of the headless forms that program logic relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "gtest_operator.h"
#include "ui/controls.h"
#include "virtual_runtime.h"

namespace {

class SampleForm : public ui::Form {
 public:
  explicit SampleForm(ui::Runtime& rt) : ui::Form(rt, "frmSample") {
    ud.Change = [this] { log.push_back("Change " + std::to_string(ud.Value())); };
    ud.UpClick = [this] { log.push_back("UpClick " + std::to_string(ud.Value())); };
    ud.DownClick = [this] { log.push_back("DownClick " + std::to_string(ud.Value())); };
    opt.OnLoaded = [this](ui::OptionButton& o, int i) {
      o.Click = [this, i] { log.push_back("opt " + std::to_string(i)); };
    };
    opt.Load(0, &frame);
    opt.Load(1, &frame);
    other.Click = [this] { log.push_back("other"); };
    tick.Tick = [this] { ticks.push_back(Rt().Now()); };
    txt.KeyPress = [](int& key) {
      if ((key < '0' || key > '9') && key != 8) key = 0;  // digits and backspace only
    };
  }
  ui::UpDown ud{*this, "ud"};
  ui::Frame frame{*this, "frame"};
  ui::ControlArray<ui::OptionButton> opt{*this, "opt"};
  ui::OptionButton other{*this, "other"};
  ui::Timer tick{*this, "tick"};
  ui::TextBox txt{*this, "txt"};
  ui::Label lbl{*this, "lbl"};
  std::vector<std::string> log;
  std::vector<vb::DateTime> ticks;
  int loads = 0, activations = 0, unloads = 0;
  bool refuse_unload = false;

 protected:
  void Design() override {
    lbl.Caption = "design";
    ud.Min = 0;
    ud.Max = 5;
  }
  void Form_Load() override { ++loads; }
  void Form_Activate() override { ++activations; }
  void Form_Unload(int& cancel) override {
    ++unloads;
    if (refuse_unload) cancel = 1;
  }
};

class FormsRuntime : public ::testing::Test {
 protected:
  FormsRuntime() { testkit::ReportToGtest(rt); }
  testkit::VirtualRuntime rt;
  SampleForm f{rt};
};

TEST_F(FormsRuntime, UpDownChangeRunsOnlyOnARealChangeAndArrowsWrapOrStop) {
  f.Load();
  f.ud.Value = 0;  // same value: nothing
  f.ud.Value = 3;
  f.ud.Value = 3;
  EXPECT_EQ(f.log, (std::vector<std::string>{"Change 3"}));
  f.log.clear();
  f.ud.Value = 5;
  f.log.clear();
  f.ud.PressUp();  // at Max without Wrap: no change, UpClick still raised
  EXPECT_EQ(f.log, (std::vector<std::string>{"UpClick 5"}));
  f.log.clear();
  f.ud.Wrap = true;
  f.ud.PressUp();
  EXPECT_EQ(f.log, (std::vector<std::string>{"Change 0", "UpClick 0"}));
  f.log.clear();
  f.ud.PressDown();
  EXPECT_EQ(f.log, (std::vector<std::string>{"Change 5", "DownClick 5"}));
  f.ud.Enabled = false;  // a locked spinner ignores the operator
  f.log.clear();
  f.ud.PressDown();
  EXPECT_TRUE(f.log.empty());
}

TEST_F(FormsRuntime, OptionButtonsExcludeEachOtherOnlyWithinTheirContainer) {
  f.Show();
  f.other.Value = true;
  f.opt[1].Value = true;
  EXPECT_TRUE(f.other.Value());  // a different container
  f.opt[0].Press();
  EXPECT_TRUE(f.opt[0].Value());
  EXPECT_FALSE(f.opt[1].Value());
  EXPECT_EQ(f.log, (std::vector<std::string>{"other", "opt 1", "opt 0"}));
  f.opt[0].Value = true;  // already set: no second Click
  EXPECT_EQ(f.log.size(), 3u);
}

TEST_F(FormsRuntime, TimerFiresEveryIntervalAndRestartsWhenReEnabled) {
  f.Load();
  vb::DateTime t0 = rt.Now();
  f.tick.Restart(50);
  rt.RunFor(175);
  ASSERT_EQ(f.ticks.size(), 3u);
  EXPECT_EQ(f.ticks[0] - t0, 50);
  EXPECT_EQ(f.ticks[2] - t0, 150);
  f.tick.Enabled = false;
  rt.RunFor(10);
  f.tick.Enabled = true;  // counts afresh from now
  rt.RunFor(60);
  ASSERT_EQ(f.ticks.size(), 4u);
  EXPECT_EQ(f.ticks[3] - t0, 235);
  f.tick.Interval = 0;  // no interval: no ticks
  rt.RunFor(500);
  EXPECT_EQ(f.ticks.size(), 4u);
}

TEST_F(FormsRuntime, TimerHandlerIsNotReenteredWhileItWaits) {
  f.Load();
  int depth = 0, max_depth = 0;
  f.tick.Tick = [&] {
    max_depth = std::max(max_depth, ++depth);
    rt.WaitEvents(rt.Now() + 200);  // yields while its own interval passes
    --depth;
  };
  f.tick.Restart(50);
  rt.RunFor(1000);
  EXPECT_EQ(max_depth, 1);
}

TEST_F(FormsRuntime, ReferenceLoadsAndUnloadReloadsTheDesignState) {
  f.Show();
  EXPECT_EQ(f.loads, 1);
  EXPECT_EQ(f.activations, 1);
  f.lbl.Caption = "changed";
  f.Show();  // already shown: no second load or activation
  EXPECT_EQ(f.loads, 1);
  EXPECT_EQ(f.activations, 1);
  f.refuse_unload = true;
  EXPECT_FALSE(f.Unload());
  EXPECT_TRUE(f.IsLoaded());
  f.refuse_unload = false;
  EXPECT_TRUE(f.Unload());
  EXPECT_FALSE(f.Visible());
  f.Load();
  EXPECT_EQ(f.loads, 2);
  EXPECT_EQ(f.lbl.Caption(), "design");
}

TEST_F(FormsRuntime, ModalShowReturnsWhenTheFormHides) {
  rt.Operator().OnModal("frmSample", [&](ui::Form& form) {
    rt.After(300, [&form] { form.Hide(); });
  });
  vb::DateTime t0 = rt.Now();
  f.Show(true);
  EXPECT_EQ(rt.Now() - t0, 300);
  EXPECT_FALSE(f.Visible());
  testkit::ExpectScriptDone(rt);
}

TEST_F(FormsRuntime, KeyPressCanSwallowTypedCharacters) {
  f.Load();
  f.txt.Type("1a2 3");
  EXPECT_EQ(f.txt.Text(), "123");
  f.txt.Type("\b");
  EXPECT_EQ(f.txt.Text(), "12");
}

TEST_F(FormsRuntime, WaitEventsJumpsToTheNextDueEventOrTheDeadline) {
  vb::DateTime t0 = rt.Now();
  bool ran = false;
  rt.After(65000, [&] { ran = true; });
  rt.WaitEvents(t0 + 1000);
  EXPECT_EQ(rt.Now() - t0, 1000);
  EXPECT_FALSE(ran);
  rt.WaitEvents(t0 + 100000);
  EXPECT_EQ(rt.Now() - t0, 65000);
  EXPECT_TRUE(ran);
}

TEST(ScriptedOperatorTest, AnswersInOrderAndReportsTheUnexpected) {
  testkit::VirtualRuntime rt;
  std::vector<std::string> failures;
  rt.Operator().SetFailureHandler([&](const std::string& f) { failures.push_back(f); });
  rt.Operator().ExpectMsgBox("Sure?", ui::vbNo).ExpectInputBox("~number", "5550100");
  EXPECT_EQ(rt.MsgBox("Sure?", ui::vbYesNo, "Confirm"), ui::vbNo);
  EXPECT_EQ(rt.InputBox("Please enter telephone number to dial:", "VKX-4700", ""), "5550100");
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(rt.MsgBox("Surprise", ui::vbYesNo, ""), ui::vbNo);
  EXPECT_EQ(failures.size(), 1u);
  EXPECT_EQ(rt.Operator().MsgBoxPrompts(), (std::vector<std::string>{"Sure?", "Surprise"}));
}

// The buttons of each kind of message box, the answer of its default
// button, and the answer when it is closed without a button.
TEST(MessageBoxAnswers, EachKindHasItsButtonsDefaultAndEscapeAnswer) {
  struct Case {
    int buttons;
    std::vector<int> answers;
    int default_answer;
    int escape_answer;
  };
  const std::vector<Case> cases = {
      {ui::vbOKOnly, {ui::vbOK}, ui::vbOK, ui::vbOK},
      {ui::vbOKCancel | ui::vbDefaultButton2, {ui::vbOK, ui::vbCancel}, ui::vbCancel, ui::vbCancel},
      // 2 * vbDefaultButton2: the third button.
      {ui::vbAbortRetryIgnore | 2 * ui::vbDefaultButton2, {ui::vbAbort, ui::vbRetry, ui::vbIgnore},
       ui::vbIgnore, ui::vbAbort},
      {ui::vbYesNoCancel, {ui::vbYes, ui::vbNo, ui::vbCancel}, ui::vbYes, ui::vbCancel},
      {ui::vbYesNo | 2 * ui::vbDefaultButton2, {ui::vbYes, ui::vbNo}, ui::vbNo, ui::vbNo},
      {ui::vbRetryCancel | ui::vbCritical, {ui::vbRetry, ui::vbCancel}, ui::vbRetry, ui::vbCancel},
      {7, {ui::vbOK}, ui::vbOK, ui::vbOK},  // a kind no box has
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.buttons);
    const std::span<const int> answers = ui::MsgBoxAnswers(c.buttons);
    EXPECT_EQ(std::vector<int>(answers.begin(), answers.end()), c.answers);
    EXPECT_EQ(ui::DefaultAnswer(c.buttons), c.default_answer);
    EXPECT_EQ(ui::EscapeAnswer(c.buttons), c.escape_answer);
  }
}

TEST(ToolbarModel, CheckButtonsToggleAndKeysFindButtons) {
  testkit::VirtualRuntime rt;
  ui::Form form(rt, "frmBar");
  ui::Toolbar bar(form, "tbToolBar");
  std::vector<std::string> clicks;
  bar.ButtonClick = [&](ui::ToolbarButton& b) { clicks.push_back(b.Key() + "=" + std::to_string(b.Value())); };
  bar.AddButton("Connect", "Connect");
  bar.AddButton("", "", ui::tbrSeparator);
  bar.AddButton("Map", "Map", ui::tbrCheck);
  bar.Press("Map");
  bar.Press(2);  // a separator does nothing
  bar.Press(1);
  bar.Buttons("Connect")->Enabled = false;
  bar.Press("Connect");
  EXPECT_EQ(clicks, (std::vector<std::string>{"Map=1", "Connect=0"}));
  EXPECT_EQ(bar.Buttons("nothing"), nullptr);
}

// A surface redrawn every second keeps one copy of each keyed group, in its
// place, and tells the view only of the areas that really changed.
TEST(DisplayListModel, AKeyedGroupIsReplacedInPlaceAndOnlyRealChangesAreReported) {
  ui::DisplayList list;
  auto draw = [&](std::int64_t key, ui::Color dot, bool with_dot) {
    list.BeginGroup(key);
    list.Add(ui::DrawCircle{1000.0 * key, 500, 120, 0, true, ui::vbWhite});
    if (with_dot) list.Add(ui::DrawCircle{1000.0 * key, 500, 75, dot, true, dot});
    list.EndGroup();
  };
  list.Add(ui::DrawBox{0, 0, 9000, 9000, 0, true});
  for (std::int64_t key : {1, 2}) draw(key, ui::vbRed, true);
  EXPECT_EQ(list.TakeChanges().areas.size(), 5u);
  draw(1, ui::vbRed, true);
  EXPECT_TRUE(list.TakeChanges().areas.empty()) << "drawn again as it was";
  draw(1, ui::vbWhite, true);
  draw(2, ui::vbRed, false);
  const auto changes = list.TakeChanges();
  // The dot of 1 (old and new lie on the same pixels: once), the dot of 2 gone.
  ASSERT_EQ(changes.areas.size(), 2u);
  EXPECT_EQ(changes.areas[0].left, 1000 - 75 - 30);
  EXPECT_EQ(changes.areas[0].disc_radius, 75) << "a view may repaint the disc alone";
  EXPECT_EQ(changes.areas[1].disc_x, 2000);
  EXPECT_EQ(list.Count(), 4u);
  EXPECT_EQ(list.OfKind<ui::DrawCircle>()[1].fill_color, ui::vbWhite) << "1 keeps its place";
  list.Clear();
  EXPECT_TRUE(list.TakeChanges().everything);
}

// A group drawn again reports only the operations that come or go, whatever
// their place in it: the labels after a dot that blinks off or on are the
// same labels.
TEST(DisplayListModel, ARedrawReportsOnlyTheOperationsThatComeOrGo) {
  const ui::DrawCircle ring{1000, 500, 120, 0, true, ui::vbWhite};
  const ui::DrawCircle red{1000, 500, 75, ui::vbRed, true, ui::vbRed};
  const ui::DrawCircle white{1000, 500, 75, ui::vbWhite, true, ui::vbWhite};
  const ui::DrawText name{900, 700, "Ridge", 0, 8.25, false, 450, 195};
  const ui::DrawText renamed{850, 700, "Ridge North", 0, 8.25, false, 900, 195};
  const ui::DrawText number{950, 840, "1102  ", 0, 8.25, false, 420, 195};
  using Ops = std::vector<ui::DrawOp>;
  // kept: which operations drawn now stand as drawn before (a view may keep
  // what it worked out for them).
  const struct {
    const char* what;
    Ops before, after;
    std::vector<ui::DrawArea> changed;
    std::vector<bool> kept;
  } cases[] = {
      {"drawn as it was", {ring, red, name, number}, {ring, red, name, number}, {}, {1, 1, 1, 1}},
      {"the dot turns white", {ring, red, name, number}, {ring, white, name, number},
       {ui::AreaOf(red)}, {1, 0, 1, 1}},
      {"the dot blinks off", {ring, white, name, number}, {ring, name, number},
       {ui::AreaOf(white)}, {1, 1, 1}},
      {"the dot comes back", {ring, name, number}, {ring, red, name, number}, {ui::AreaOf(red)},
       {1, 0, 1, 1}},
      {"renamed", {ring, name, number}, {ring, renamed, number},
       {ui::AreaOf(renamed), ui::AreaOf(name)}, {1, 0, 1}},
      {"the last goes", {ring, name, number}, {ring, name}, {ui::AreaOf(number)}, {1, 1}},
  };
  const auto order = [](std::vector<ui::DrawArea> areas) {
    std::sort(areas.begin(), areas.end(), [](const ui::DrawArea& a, const ui::DrawArea& b) {
      return std::tie(a.left, a.top) < std::tie(b.left, b.top);
    });
    return areas;
  };
  for (const auto& c : cases) {
    ui::DisplayList list;
    std::uint64_t first = 0;
    for (const Ops* ops : {&c.before, &c.after}) {
      list.BeginGroup(7);
      for (const ui::DrawOp& op : *ops) list.Add(op);
      list.EndGroup();
      if (ops == &c.before) {
        list.TakeChanges();
        first = list.Revision();
      }
    }
    const auto changes = list.TakeChanges();
    EXPECT_FALSE(changes.everything) << c.what;
    EXPECT_EQ(order(changes.areas), order(c.changed)) << c.what;
    std::vector<ui::DrawOp> drawn;
    list.ForEach([&](const ui::DrawOp& op) { drawn.push_back(op); });
    EXPECT_EQ(drawn, c.after) << c.what;
    // Revisions: the list's and the run's move with any change, an
    // operation's only when it is drawn anew.
    EXPECT_EQ(list.Revision() == first, c.changed.empty()) << c.what;
    ASSERT_EQ(list.RunCount(), 1u);
    EXPECT_EQ(list.RunRevision(0), list.Revision()) << c.what;
    std::vector<bool> kept;
    for (const std::uint64_t revision : list.RunOpRevisions(0)) kept.push_back(revision <= first);
    EXPECT_EQ(kept, c.kept) << c.what;
  }
}

// Groups found again whatever order they are drawn in: each replaces its own,
// in its place; one drawn as it was keeps its revision, one changed or new
// takes a revision no run had.
TEST(DisplayListModel, GroupsDrawnInAnotherOrderEachReplaceTheirOwn) {
  ui::DisplayList list;
  const auto dot = [](double x, ui::Color color) {
    return ui::DrawCircle{x, 500, 75, color, true, color};
  };
  list.Add(ui::DrawBox{0, 0, 9000, 9000, 0, true});
  for (std::int64_t key : {1, 2, 3}) {
    list.BeginGroup(key);
    list.Add(dot(1000.0 * key, ui::vbWhite));
    list.EndGroup();
  }
  std::vector<std::uint64_t> before;
  for (std::size_t run = 0; run < list.RunCount(); ++run) before.push_back(list.RunRevision(run));
  for (std::int64_t key : {3, 1, 4, 2}) {
    list.BeginGroup(key);
    list.Add(dot(1000.0 * key, key == 2 ? ui::vbWhite : ui::vbRed));
    list.EndGroup();
  }
  const auto dots = list.OfKind<ui::DrawCircle>();
  ASSERT_EQ(dots.size(), 4u);
  const double xs[] = {1000, 2000, 3000, 4000};
  const ui::Color colors[] = {ui::vbRed, ui::vbWhite, ui::vbRed, ui::vbRed};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(dots[i].x, xs[i]) << i;
    EXPECT_EQ(dots[i].fill_color, colors[i]) << i;
  }
  ASSERT_EQ(list.RunCount(), 5u);
  EXPECT_EQ(list.RunRevision(0), before[0]) << "the box";
  EXPECT_EQ(list.RunRevision(2), before[2]) << "2 drawn as it was";
  for (std::size_t run : {1, 3, 4})
    for (std::uint64_t old : before) EXPECT_NE(list.RunRevision(run), old) << run;
  const std::uint64_t last = list.Revision();
  list.Clear();
  list.BeginGroup(1);
  list.Add(dot(1000, ui::vbRed));
  list.EndGroup();
  EXPECT_GT(list.RunRevision(0), last) << "drawn anew after Clear";
  EXPECT_GT(list.RunOpRevisions(0)[0], last);
}

// Icons drawn on top of each other change the same area: it is reported once,
// and only more distinct areas than a view would repaint one by one make
// everything change.
TEST(DisplayListModel, TheSameAreaIsReportedOnceAndOnlyVeryManyAreasMeanEverything) {
  ui::DisplayList list;
  for (int key = 0; key < 10000; ++key) {
    list.BeginGroup(key);
    list.Add(ui::DrawCircle{1000, 500, 75, ui::vbRed, true, key % 2 ? ui::vbRed : ui::vbWhite});
    list.EndGroup();
  }
  list.TakeChanges();
  for (int key = 0; key < 10000; ++key) {
    list.BeginGroup(key);
    list.Add(ui::DrawCircle{1000, 500, 75, ui::vbRed, true, ui::vbWhite});
    list.EndGroup();
  }
  const auto stacked = list.TakeChanges();
  EXPECT_FALSE(stacked.everything);
  EXPECT_EQ(stacked.areas.size(), 1u);

  for (int key = 0; key < 10000; ++key) {
    list.BeginGroup(key);
    list.Add(ui::DrawCircle{15.0 * key, 500, 75, ui::vbRed, true, ui::vbRed});
    list.EndGroup();
  }
  EXPECT_TRUE(list.TakeChanges().everything) << "ten thousand places";

  // Icons stacked in one place each move to one of `places` places: the
  // place they left and those they reach change. A view takes up to 4096
  // areas one by one, however many times they were touched.
  const struct {
    int icons, places;
    bool everything;
  } moves[] = {
      {10000, 100, false},   // touched again and again, still 101 areas
      {4095, 4095, false},   // 4096 areas
      {4096, 4096, true},    // one more
      {10000, 10000, true},  // far more
  };
  for (const auto& m : moves) {
    ui::DisplayList moved;
    const auto draw = [&](auto x_of) {
      for (int key = 0; key < m.icons; ++key) {
        moved.BeginGroup(key);
        moved.Add(ui::DrawCircle{x_of(key), 500, 75, ui::vbRed, true, ui::vbRed});
        moved.EndGroup();
      }
    };
    draw([](int) { return 1000.0; });
    moved.TakeChanges();
    draw([&](int key) { return 15.0 * (key % m.places); });
    const auto changes = moved.TakeChanges();
    EXPECT_EQ(changes.everything, m.everything) << m.icons << " to " << m.places;
    EXPECT_EQ(changes.areas.size(), m.everything ? 0u : static_cast<std::size_t>(m.places) + 1)
        << m.icons << " to " << m.places;
  }
}

}  // namespace
