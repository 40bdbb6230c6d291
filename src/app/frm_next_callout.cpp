#include "app/frm_next_callout.h"

#include "app/callout_run.h"
#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "common/vb.h"
#include "link/command_table.h"
#include "link/delay.h"
#include "link/modem_call.h"
#include "link/reply_handlers.h"
#include "sites/frm_map.h"
#include "sites/site_conventions.h"
#include "sites/site_queries.h"
#include "unit/frm_install.h"
#include "unit/status_export.h"

namespace app {

namespace {
constexpr int kCountdownMs = 10000;
constexpr double kEscapeGuardSeconds = 1.5;
constexpr double kRearmSeconds = 8.0;
}  // namespace

frmNextCallout::frmNextCallout(Console& c) : ui::Form(c.rt, "frmNextCallout"), c_(c) {
  cmdOK.Click = [this] { cmdOK_Click(); };
  cmdCancel.Click = [this] { cmdCancel_Click(); };
  tmrClose.Tick = [this] { tmrClose_Timer(); };
}

void frmNextCallout::Design() {
  Caption = "Automatic Callout";
  BorderStyle = ui::vbFixedDialog;
  Move(3000, 2400, 5100, 2400);
  Label1.Caption = "Preparing to call site:";
  Label1.Move(240, 240, 4560, 255);
  txtSite.BackColor = 0x00C0C0C0;
  txtSite.Locked = true;
  txtSite.Move(240, 540, 4560, 315);
  Label2.Caption = "(This window will close automatically in 10 seconds)";
  Label2.Move(240, 1020, 4560, 255);
  cmdOK.Caption = "&OK";
  cmdOK.Default = true;
  cmdOK.Move(2040, 1500, 1320, 375);
  cmdCancel.Caption = "&Cancel";
  cmdCancel.Cancel = true;
  cmdCancel.Move(3480, 1500, 1320, 375);
  tmrClose.Enabled = false;
  tmrClose.Interval = 5000;
}

void frmNextCallout::Form_Activate() {
  if (activated_) return;
  activated_ = true;
  auto& st = c_.st;
  c_.Get<frmProgress>().Hide();
  c_.Get<unit::frmInstall>().Hide();
  lnk::ReleaseSiteButton(c_);
  st.RxBuffer.clear();
  unit::SaveStatusFile(c_, c_.folder.FilePath(unit::kStatusExportFileName));
  // The modem is hung up for good, whatever state the call left it in; a
  // port already given up is left closed.
  if (c_.MSComm1.PortOpen()) c_.MSComm1.Output("+++");
  lnk::Delay(c_, kEscapeGuardSeconds);
  if (c_.MSComm1.PortOpen()) {
    c_.MSComm1.Input();
    c_.MSComm1.Output("ATH0\r");
  }
  if (!TakeNextSite()) return EndRun();
  c_.Get<frmMain>().tmrIn.Stop();
  txtSite.Text = vb::CStr(sites::UnitSiteNum(st.SelectedSiteNum)) + " (" + st.SelectedSiteName + ")";
  tmrClose.Restart(kCountdownMs);
}

bool frmNextCallout::TakeNextSite() {
  c_.rsCallout.MoveNext();  // a list already at its end or closed ends the run
  c_.rsCallout.ClearError();
  if (!c_.rsCallout.IsOpen() || c_.rsCallout.Eof()) return false;
  TakeCalloutSite(c_);
  return true;
}

void frmNextCallout::EndRun() {
  EndCalloutRun(c_);
  Unload();
}

void frmNextCallout::cmdOK_Click() {
  tmrClose.Enabled = false;
  Unload();
  DialCalloutSite(c_, /*first=*/false);
}

void frmNextCallout::tmrClose_Timer() { cmdOK_Click(); }

void frmNextCallout::cmdCancel_Click() {
  tmrClose.Enabled = false;
  c_.st.CalloutActive = false;
  c_.rsCallout.Close();
  Unload();
}

// Closing the window ends the run as Cancel does, so no run is left half
// active for a later session's hang-up to take up again.
void frmNextCallout::Form_QueryUnload(int& /*cancel*/, int unload_mode) {
  if (unload_mode != ui::vbFormControlMenu) return;
  c_.st.CalloutActive = false;
  c_.rsCallout.Close();
}

void frmNextCallout::Form_Unload(int& /*cancel*/) {
  tmrClose.Enabled = false;
  activated_ = false;
}

// A run sets the modem up not to answer before each of its calls; however
// it ends (the list done, Cancel, the window closed), a modem left on its
// port answers calls again when the operator asked for that. The hang-up
// that brought the window up holds the line until then.
void ShowNextCallout(Console& c) {
  c.Get<frmNextCallout>().Show(true, &c.Get<frmMain>());
  if (c.st.CalloutActive) return;  // the next site is being dialled
  if (c.MSComm1.PortOpen() && c.Get<frmMain>().mnuOptionsAnswer.Checked()) {
    lnk::Delay(c, kRearmSeconds);
    return lnk::InitModem(c);
  }
  // Nothing else waits for the hang-up: the line is free at once.
  if (c.st.CmdState == lnk::kHangUp || c.st.CmdState == lnk::kEscape) lnk::FinishReply(c);
}

}  // namespace app
