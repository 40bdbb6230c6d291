#include "app/frm_establish.h"

#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_monitor.h"
#include "link/command_sender.h"
#include "link/command_table.h"

namespace app {

namespace {
constexpr int kSettleMs = 2000;
// Bytes the download bar counts to for a whole memory dump.
constexpr int kDumpProgressMax = 1690;
// Addresses of the text dump.
constexpr int kLastTextDumpAddress = 255;
}  // namespace

frmEstablish::frmEstablish(Console& c) : ui::Form(c.rt, "frmEstablish"), c_(c) {
  tmrClose.Tick = [this] { tmrClose_Timer(); };
}

void frmEstablish::Design() {
  Caption = "Online";
  BorderStyle = ui::vbFixedDialog;
  Move(3600, 3000, 4320, 1500);
  Image1.Picture = ui::Picture::Named("Connect");
  Image1.Stretch = true;
  Image1.Move(240, 300, 480, 480);
  Label1.Caption = "Linking to controller...";
  Label1.FontSize = 10;
  Label1.Move(960, 420, 3120, 300);
  tmrClose.Enabled = false;
  tmrClose.Interval = kSettleMs;
}

void frmEstablish::Form_Load() {
  tmrClose.Interval = kSettleMs;
  tmrClose.Enabled = true;
}

// The download starts whatever the operator does meanwhile: the close box
// does not close this window.
void frmEstablish::Form_QueryUnload(int& cancel, int unload_mode) {
  if (unload_mode == ui::vbFormControlMenu) cancel = 1;
}

// Its timer goes with the window.
void frmEstablish::Form_Unload(int& /*cancel*/) { tmrClose.Enabled = false; }

void frmEstablish::tmrClose_Timer() {
  tmrClose.Enabled = false;
  Unload();
  for (int address = 0; address <= kLastTextDumpAddress; ++address)
    c_.param.Received[static_cast<size_t>(address)] = false;
  auto& monitor = c_.Get<frmMonitor>();
  monitor.ProgressBar1.Value = 0;
  monitor.ProgressBar1.Max = kDumpProgressMax;
  monitor.txtCaption.Text = "Downloading EEPROM data...";
  monitor.Show(false, &c_.Get<frmMain>());
  c_.st.CmdState = lnk::kDump;
  c_.st.RetryCount = 0;
  c_.st.AutoNext = false;
  lnk::SendCommand(c_);
}

}  // namespace app
