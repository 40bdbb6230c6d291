// Fuzzes the live status parsers: any "U" or "V" line is read from the
// front only (what is left is the end of the line, nothing invented), the
// U line's date, time, weekday and battery volts are the line's tokens in
// order, and the clock spinners stay in their ranges.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/frm_progress.h"
#include "fuzz_support.h"
#include "link/reply_tokens.h"
#include "link/status_parsers.h"
#include "link/v4_status_packet.h"
#include "unit/frm_install.h"

using testkit::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  app::Console& c = testkit::FuzzHarness().console;
  const bool u_line = (data[0] & 1) != 0;
  // Both layouts: the currents in tenths, or in hundredths with the state of charge.
  c.param.FirmwareVersion = (data[0] & 2) != 0 ? lnk::kSocLayoutFirmware : 32116;
  const std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
  c.st.RxBuffer = line;
  if (u_line)
    lnk::ParseUReply(c);
  else
    lnk::ParseVReply(c);
  Require(line.ends_with(c.st.RxBuffer));

  auto& inst = c.Get<unit::frmInstall>();
  for (int field = 0; field < unit::kDateFieldCount; ++field) {
    const int v = inst.udDate[field].Value();
    Require(v >= unit::kDateFieldMin[field] && v <= unit::kDateFieldMax[field]);
  }
  if (!u_line) return 0;
  std::string rx = line;
  std::string t[8];
  for (auto& token : t) token = lnk::NextIntToken(rx);
  Require(inst.txtStatusDate.Text() == t[0] + " / " + t[1] + " / " + t[2]);
  Require(inst.txtTime.Text() == t[4] + " : " + t[5] + " : " + t[6]);
  Require(c.Get<app::frmProgress>().txtDate.Text() == inst.txtStatusDate.Text());
  Require(inst.txtBattVolts.Text() == lnk::NextHundredthsToken(rx));
  return 0;
}
