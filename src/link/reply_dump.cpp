#include <string>

#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_message.h"
#include "app/frm_monitor.h"
#include "app/frm_send_progress.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/reply_handlers.h"
#include "unit/dump_loading.h"
#include "unit/frm_install.h"
#include "unit/parameter_loading.h"

namespace lnk {

namespace {

std::string ThreeDigits(int value) { return vb::Format(value, "000"); }

// Asks the unit for its whole memory again, with the download window.
void RepeatDump(app::Console& c) {
  auto& st = c.st;
  st.RxBuffer.clear();
  st.ProgressCount = 0;
  st.ProgressActive = true;
  auto& monitor = c.Get<app::frmMonitor>();
  monitor.ProgressBar1.Value = 0;
  monitor.ProgressBar1.Max = 1690;
  st.CmdState = kDump;
  st.AutoNext = false;
  SendCommand(c);
  monitor.txtCaption.Text = "Downloading EEPROM data...";
  monitor.Show(false, &c.Get<app::frmMain>());
  ++st.RetryCount;
}

}  // namespace

void OnDumpReply(app::Console& c) {
  auto& st = c.st;
  st.ProgressActive = false;
  c.Get<app::frmMonitor>().Hide();
  st.EepromImage = CleanReply(st.RxBuffer, /*first_line_only=*/false);
  if (vb::InStr(st.RxBuffer, "\r") == 9)
    unit::ParseCheckedDump(c);
  else
    unit::ParseEepromDump(c);
  if (c.param.DumpIncomplete) {
    if (st.RetryCount < 3) return RepeatDump(c);
    c.rt.MsgBox("Error retrieving EEPROM data.", ui::vbOKOnly, app_info::kProductName);
  }
  std::string errors;
  const int last = st.V4Mode ? 267 : 255;
  for (int address = 0; address <= last; ++address)
    errors += unit::CheckParameterValue(c, address, c.param.Eeprom[static_cast<size_t>(address)]);
  unit::ShowLoadedParameters(c, errors);
  st.RetryCount = 0;
  st.CmdState = kStatusU;
  st.AutoNext = false;
  SendCommand(c);
}

void OnWriteByteReply(app::Console& c) {
  auto& st = c.st;
  st.AutoNext = false;
  if (!st.WriteData.empty()) {
    if (st.WriteData.size() < 2) {
      st.WriteData.clear();
      c.Unload<app::frmSendProgress>();
    } else {
      st.WriteData.erase(0, 1);
    }
  }
  if (!st.WriteData.empty()) {
    ++st.WriteAddress;
    c.cmd.Cmd[kSetParameter] = "Ss" + ThreeDigits(st.WriteAddress) +
                               ThreeDigits(static_cast<unsigned char>(st.WriteData[0]));
    auto& bar = c.Get<app::frmSendProgress>().ProgressBar1;
    bar.Value = bar.Value() + 1;
    st.CmdState = kSetParameter;
    st.AutoNext = false;
    SendCommand(c);
    return;
  }
  // A write the operator cancelled was told as such, not as a success.
  const bool cancelled = st.WriteCancelled;
  if (cancelled)
    st.WriteCancelled = false;
  else
    c.Get<app::frmMessage>().Show();
  st.RxBuffer.clear();
  EndReply(c);
  if (!cancelled) unit::ReadBackEqualisation(c);
}

}  // namespace lnk
