#include <string>

#include "app/console.h"
#include "app/frm_get_log.h"
#include "app/typed_file_save.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/crc16_line.h"
#include "link/reply_handlers.h"
#include "link/status_parsers.h"

namespace lnk {

namespace {
// Status lines carry a CRC-16 from this firmware on.
constexpr std::int32_t kCheckedStatusFirmware = 32116;
}  // namespace

void OnSiteLogReply(app::Console& c) {
  c.st.AutoNext = false;
  c.Get<app::frmGetLog>().Hide();
  app::SaveUnderTypedName(c, "Enter a filename for this data (no extension):", "Save Site Log",
                          c.st.RxBuffer + "\r\n");
  EndReply(c);
}

void OnStatusLineReply(app::Console& c) {
  auto& st = c.st;
  const bool is_u = st.CmdState == kStatusU;
  st.AutoNext = is_u;
  std::string s = CleanReply(st.RxBuffer, /*first_line_only=*/true);
  st.CheckLine = s;
  bool ok = true;
  if (c.param.FirmwareVersion >= kCheckedStatusFirmware) ok = CheckLineCrc16(st.CheckLine);
  s = st.CheckLine;
  (is_u ? st.UStatusText : st.VStatusText) = s;
  if (!ok) {
    if (st.RetryCount >= 3) {
      c.rt.MsgBox(is_u ? "Error receiving Status (U)" : "Error receiving Status (V)",
                  ui::vbOKOnly, app_info::kTitle);
      st.RetryCount = 0;
      return EndReply(c);
    }
    ++st.RetryCount;
    st.AutoNext = false;
    SendCommand(c);
    return;
  }
  // Both lines are parsed without their check digits: a "V" line read as
  // received would give the digits to its last counter when the unit puts
  // no blank before them.
  st.RxBuffer = s;
  if (is_u)
    ParseUReply(c);
  else
    ParseVReply(c);
  st.RetryCount = 0;
  EndReply(c);
}

}  // namespace lnk
