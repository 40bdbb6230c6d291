// A checked status line whose reply starts with the line end left over from
// the reply before it still passes its check.
#include <gtest/gtest.h>

#include <cstdio>

#include "console_harness.h"
#include "gtest_operator.h"
#include "link/command_table.h"
#include "link/crc16_line.h"
#include "link/reply_state_machine.h"

namespace {

std::string Checked(const std::string& text) {
  lnk::Crc16Register reg;
  for (char ch : text) lnk::Crc16Update(reg, static_cast<std::uint8_t>(ch));
  char digits[5];
  std::snprintf(digits, sizeof digits, "%02X%02X", reg.Crc16Lo, reg.Crc16Hi);
  return text + digits;
}

TEST(StatusReplyCleaning, LeftoverCarriageReturnDoesNotSpoilTheCheck) {
  testkit::ConsoleHarness h;
  testkit::ReportToGtest(h.rt);
  ASSERT_TRUE(h.Start());
  h.serial.SetPortOpen(true);
  h.console.param.FirmwareVersion = 32116;
  const std::string line = "V 0 0 1 0 0 12550 4830 2210";
  h.console.st.CmdState = lnk::kStatusV;
  h.console.st.RxBuffer = "\r" + Checked(line) + "\n\r";
  lnk::ProcessReply(h.console);
  EXPECT_EQ(h.console.st.VStatusText, line);
  EXPECT_EQ(h.console.st.RetryCount, 0);
  EXPECT_EQ(h.console.st.CmdState, 0);  // handled, not asked for again
  testkit::ExpectScriptDone(h.rt);
}

}  // namespace
