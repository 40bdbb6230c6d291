// The single unit commands of the installation screen: resets, equalise,
// status and memory re-reads, the modem init string and the option pairs.
#include <string>

#include "app/console.h"
#include "app/frm_establish.h"
#include "app/frm_main.h"
#include "app/frm_readout.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "link/command_gate.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/v4_link.h"
#include "unit/frm_install.h"
#include "unit/modem_init_string.h"
#include "unit/parameter_writes.h"

namespace unit {

namespace {

// The equalise request: parameter 188 set to 1, as a text command and as a
// V4 payload.
constexpr int kEqualizeRequest = 188;
constexpr const char* kEqualizeRequestCommand = "Ss188001";
std::string EqualizeRequestPayload() { return V4WritePayload(kEqualizeRequest, vb::Chr(1)); }

}  // namespace

void frmInstall::TextStart(int state, bool auto_next) {
  c_.st.WriteCancelled = false;  // a new command: its reply is its own
  c_.st.CmdState = state;
  c_.st.AutoNext = auto_next;
  lnk::SendCommand(c_);
}

void frmInstall::V4Start(int state, const std::string& payload) {
  auto& st = c_.st;
  st.V4RetryCount = 0;
  st.CmdState = state;
  st.RetryCount = 0;
  st.AutoNext = false;
  lnk::SendV4Packet(c_, st.UnitAddress, payload);
}

void frmInstall::cmdEqualize_Click() {
  // A request, never a toggle: the lamp shows the unit's flag once the unit
  // has acknowledged it and its status has been read back.
  if (c_.st.V4Mode) {
    c_.st.PacketOut = EqualizeRequestPayload();
    V4Start(lnk::kV4Write, c_.st.PacketOut);
    return;
  }
  c_.cmd.Cmd[lnk::kSetParameter] = kEqualizeRequestCommand;
  c_.st.WriteData.clear();
  TextStart(lnk::kSetParameter);
}

void ReadBackEqualisation(app::Console& c) {
  const bool asked = c.st.V4Mode ? c.st.PacketOut == EqualizeRequestPayload()
                                 : c.cmd.Cmd[lnk::kSetParameter] == kEqualizeRequestCommand;
  if (!asked || c.st.CmdState != lnk::kIdle) return;
  c.Get<frmInstall>().cmdUpdate_Click();
}

void frmInstall::cmdReset_Click() {
  if (c_.st.V4Mode) return V4Start(lnk::kV4Reset, "Reset");
  TextStart(lnk::kMemoryReset);
}

// The memory reset is a text command in both dialects.
void frmInstall::cmdResetAH_Click() { TextStart(lnk::kMemoryReset); }

void frmInstall::cmdRi_Click() {
  c_.cmd.Cmd[lnk::kCounterReset] = "Ri";
  TextStart(lnk::kCounterReset);
}

void frmInstall::cmdRj_Click() {
  c_.cmd.Cmd[lnk::kCounterReset] = "Rh";
  TextStart(lnk::kCounterReset);
}

void frmInstall::cmdUpdate_Click() {
  cmdUpdate.BackColor = ui::vbGreen;
  if (c_.st.V4Mode) {
    cmdUpdate.Enabled = false;
    return V4Start(lnk::kV4Dump, "D");
  }
  TextStart(lnk::kStatusU, /*auto_next=*/true);  // "U", then "V"
}

void frmInstall::cmdRefresh_Click() {
  auto& st = c_.st;
  if (st.V4Mode) {
    auto& readout = c_.Get<app::frmReadout>();
    readout.lblReadout.Caption = "Retrieving EEPROM bulk data...";
    readout.Show();
    return V4Start(lnk::kV4Dump, "D");
  }
  st.ProgressCount = 0;
  st.ProgressActive = true;
  // The window waits, then asks for the whole memory.
  c_.Get<app::frmEstablish>().Show(true, &c_.Get<app::frmMain>());
}

void frmInstall::cmdRefresh2_Click() { cmdRefresh_Click(); }

void frmInstall::cmdChangeInit_Click() {
  auto& st = c_.st;
  const int address = ModemInitTextAddress(c_.param.GenBattSafeMaint, c_.param.FirmwareVersion);
  const int room = st.V4Mode ? kModemInitBulkLength : kModemInitRegionEnd + 1 - address;
  if (vb::Len(txtModemInit.Text()) > room) {
    // Cut short, the unit would dial with another string than the one typed.
    c_.rt.MsgBox("The modem init string is too long: the unit holds at most " + vb::CStr(room) +
                     " characters.",
                 ui::vbExclamation, app_info::kTitle);
    return;
  }
  if (st.V4Mode) {
    // A bulk write of the string's region, four bytes per packet; the
    // reply handler sends each next packet.
    st.EepromImage = ModemInitBulkImage(txtModemInit.Text());
    return StartBulkWrite(c_, kModemInitBulkStart, kModemInitBulkEnd);
  }
  st.WriteData = ModemInitTextBytes(txtModemInit.Text(), address);
  st.WriteAddress = address;
  SendSetParameter(c_);
}

void frmInstall::RestoreOption(ui::ControlArray<ui::OptionButton>& pair, const ui::Image& lamp) {
  restoring_option_ = true;
  pair[LampOn(lamp) ? 1 : 0].Value = true;
  restoring_option_ = false;
}

void frmInstall::SendOption(ui::ControlArray<ui::OptionButton>& pair, ui::Image& lamp,
                            int address, int Index) {
  if (Index != 0 && Index != 1) return;
  if (restoring_option_) return;
  // The operator's click waits for no command: refused, it leaves the pair
  // showing what the unit has. (Options set from a loaded image send nothing.)
  if (!c_.param.ParamLoadInProgress && !lnk::MayStartCommand(c_))
    return RestoreOption(pair, lamp);
  SetLamp(lamp, Index == 1);
  c_.cmd.Cmd[lnk::kSetParameter] = "Ss" + vb::Format(address, "000") + vb::Format(Index, "000");
  // Options set while a loaded image is shown only follow the image.
  if (c_.param.ParamLoadInProgress) return;
  c_.st.WriteData.clear();
  TextStart(lnk::kSetParameter);
}

void frmInstall::optAC_Click(int Index) { SendOption(optAC, imgAC, 97, Index); }
void frmInstall::optCallout_Click(int Index) { SendOption(optCallout, imgCallout, 110, Index); }
void frmInstall::optNOTMode_Click(int Index) { SendOption(optNOTMode, imgNOTMode, 102, Index); }
void frmInstall::optEqualization_Click(int Index) { SendOption(optEqualization, imgEqualization, 232, Index); }

void frmInstall::optLD1T_MouseUp(int Index, int /*Button*/, int /*Shift*/, double /*X*/,
                                 double /*Y*/) {
  if (Index != 0 && Index != 1) return;
  if (!c_.st.V4Mode) return SendOption(optLD1T, imgLd1T, 55, Index);
  // The operator's own click: sent even while an image is being shown.
  if (!lnk::MayStartCommand(c_)) return RestoreOption(optLD1T, imgLd1T);
  SetLamp(imgLd1T, Index == 1);
  c_.st.PacketOut = V4WritePayload(55, vb::Chr(Index));
  V4Start(lnk::kV4Write, c_.st.PacketOut);
}

}  // namespace unit
