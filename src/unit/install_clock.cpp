// Setting the unit's clock: from the computer's clock in one V4 packet, or
// one field of the date spinners at a time.
#include <string>

#include "app/console.h"
#include "common/vb.h"
#include "common/vb_date.h"
#include "link/command_table.h"
#include "unit/clock_packet.h"
#include "unit/frm_install.h"

namespace unit {

void frmInstall::cmdClock_Click() {
  // One reading of the clock for every field, so that a second or a day
  // turning over between fields cannot set a mixed time.
  c_.st.ClockPacket = ClockPacketFromComputer(c_.rt.Now());
  c_.param.DateShadow[0] = udDate[0].Value();
  V4Start(lnk::kV4Clock, c_.st.ClockPacket);
}

void frmInstall::cmdSendDate_Click(int Index) {
  if (Index < 0 || Index >= kDateFieldCount) return;
  auto& shadow = c_.param.DateShadow[static_cast<std::size_t>(Index)];
  if (c_.st.V4Mode) {
    ClockFields fields{};
    for (int i = 0; i < kDateFieldCount; ++i) fields[static_cast<std::size_t>(i)] = udDate[i].Value();
    c_.st.ClockPacket = ClockPacketFromFields(fields);
    shadow = udDate[Index].Value();
    V4Start(lnk::kV4Clock, c_.st.ClockPacket);
    return;
  }
  c_.cmd.Cmd[lnk::kClock] =
      Index == kWeekdayField ? "Ttd0" + vb::CStr(udDate[Index].Value())
                             : "Tt" + cmdSendDate[Index].Tag() + txtDate[Index].Text();
  shadow = udDate[Index].Value();
  cmdSendDate[Index].Visible = false;
  TextStart(lnk::kClock);
}

// The field's S button is offered while it differs from the unit's clock.
void frmInstall::udDate_UpClick(int Index) {
  cmdSendDate[Index].Visible =
      udDate[Index].Value() != c_.param.DateShadow[static_cast<std::size_t>(Index)];
}

void frmInstall::udDate_DownClick(int Index) { udDate_UpClick(Index); }

}  // namespace unit
