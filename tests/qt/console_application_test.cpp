// A fault inside a handler is reported and the program goes on.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "qt/console_application.h"
#include "qt_test_support.h"
#include "ui/controls.h"

namespace qttest {
namespace {

class FaultyForm : public ui::Form {
 public:
  explicit FaultyForm(ui::Runtime& rt) : ui::Form(rt, "frmFaulty") {
    tmrFault.Tick = [this] {
      ++ticks;
      if (ticks == 1) throw std::out_of_range("udProp(999) does not exist");
    };
  }
  ui::Timer tmrFault{*this, "tmrFault"};
  int ticks = 0;
};

TEST(ConsoleApplicationTest, HandlerFaultIsReportedAndTheProgramGoesOn) {
  auto* app = dynamic_cast<qtui::ConsoleApplication*>(QCoreApplication::instance());
  ASSERT_NE(app, nullptr);
  std::vector<std::string> reported;
  app->report_fault = [&](const std::string& what) { reported.push_back(what); };
  qtui::QtRuntime rt;
  FaultyForm form(rt);
  form.tmrFault.Restart(20);
  RunFor(rt, 200);
  app->report_fault = nullptr;
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0], "udProp(999) does not exist");
  EXPECT_GT(form.ticks, 2);  // the timer kept running after the fault
}

}  // namespace
}  // namespace qttest
