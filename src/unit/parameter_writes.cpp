#include "unit/parameter_writes.h"

#include <string>

#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_send_progress.h"
#include "common/vb.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/v4_link.h"

namespace unit {

void SendSetParameter(app::Console& c) {
  auto& st = c.st;
  if (st.WriteData.empty()) return;
  if (st.V4Mode) {
    st.PacketOut = "S" + vb::Chr(static_cast<int>(st.WriteData.size() & 0xFF)) +
                   vb::Chr((st.WriteAddress / 256) & 0xFF) + vb::Chr(st.WriteAddress & 0xFF) +
                   st.WriteData;
    st.V4RetryCount = 0;
    st.CmdState = lnk::kV4Write;
    st.RetryCount = 0;
    st.AutoNext = false;
    lnk::SendV4Packet(c, st.UnitAddress, st.PacketOut);
    return;
  }
  std::string command = "Ss" + vb::Format(st.WriteAddress, "000");
  auto& progress = c.Get<app::frmSendProgress>();
  progress.ProgressBar1.Max = static_cast<int>(st.WriteData.size());
  progress.ProgressBar1.Value = 0;
  progress.Show(false, &c.Get<app::frmMain>());
  c.cmd.Cmd[lnk::kSetParameter] =
      command + vb::Format(static_cast<unsigned char>(st.WriteData[0]), "000");
  st.CmdState = lnk::kSetParameter;
  st.AutoNext = false;
  lnk::SendCommand(c);
}

}  // namespace unit
