// A checked status line whose reply starts with the line end left over from
// the reply before it still passes its check.
#include <gtest/gtest.h>

#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_table.h"
#include "reference_crc16.h"
#include "link/reply_state_machine.h"

namespace {


TEST(StatusReplyCleaning, LeftoverCarriageReturnDoesNotSpoilTheCheck) {
  testkit::ConsoleHarness h;
  testkit::ReportToGtest(h.rt);
  ASSERT_TRUE(h.Start());
  h.serial.SetPortOpen(true);
  h.console.param.FirmwareVersion = 32116;
  const std::string line = "V 0 0 1 0 0 12550 4830 2210";
  h.console.st.CmdState = lnk::kStatusV;
  h.console.st.RxBuffer = "\r" + testkit::CheckedLine(line) + "\n\r";
  lnk::ProcessReply(h.console);
  EXPECT_EQ(h.console.st.VStatusText, line);
  EXPECT_EQ(h.console.st.RetryCount, 0);
  EXPECT_EQ(h.console.st.CmdState, 0);  // handled, not asked for again
  testkit::ExpectScriptDone(h.rt);
}

}  // namespace
