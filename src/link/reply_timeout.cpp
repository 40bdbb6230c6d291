#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_next_callout.h"
#include "app/frm_progress.h"
#include "app/session_log.h"
#include "common/app_info.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/delay.h"
#include "link/modem_call.h"
#include "link/receive_loop.h"
#include "link/reply_handlers.h"
#include "link/settings_access.h"
#include "sites/frm_map.h"
#include "sites/site_queries.h"
#include "unit/frm_install.h"

namespace lnk {

namespace {

void NoAnswer(app::Console& c) {
  app::LogLine(c, "No answer.");
  app::SetStatus(c, "Disconnected");
  c.rsShared = c.Db.OpenRecordset(sites::NoAnswerColourQuery(c.st.SelectedSiteID));
  if (!c.rsShared.Eof()) {
    c.rsShared.Edit();
    SetFailedCallColour(c.rsShared);
    c.rsShared.Update();
    c.Get<sites::frmMap>().DrawIcon();
  }
  c.rsShared.Close();
  Disconnect(c);
}

// The modem did not answer its escape: the port is given up and the session
// windows close.
void EscapeUnanswered(app::Console& c) {
  app::frmMain& main = c.Get<app::frmMain>();
  main.tmrUpdate.Stop();
  main.tmrError.Enabled = false;
  main.tmrInit.Enabled = false;
  c.MSComm1.SetPortOpen(false);
  SettingRec& answer = Setting(c, "AutoAnswer");
  answer.SettingFlag = false;
  c.settings.SettingBoolToText();
  main.mnuOptionsAnswer.Checked = false;
  c.Get<app::frmProgress>().Hide();
  ReleaseSiteButton(c);
  c.Get<unit::frmInstall>().Hide();
  // The run goes on; the window takes the next site itself (taking it here
  // too would pass one site over).
  if (c.st.CalloutActive) app::ShowNextCallout(c);
}

void HangUpUnanswered(app::Console& c) {
  c.st.CmdState = kEscape;
  c.st.AutoNext = false;
  SendCommand(c);
  Delay(c, 1.5);
  c.st.CmdState = kHangUp;
  c.st.AutoNext = false;
  SendCommand(c);
}

}  // namespace

void HandleReplyTimeout(app::Console& c) {
  switch (c.st.CmdState) {
    case kModemInit:
      c.rt.MsgBox("No response received from modem.", ui::vbOKOnly, app_info::kTitle);
      app::SetStatus(c, "Disconnected");
      break;
    case kDial: NoAnswer(c); break;
    case 3: app::LogLine(c, "Error retrieving AmpHours (Ua)."); break;
    case 4: app::LogLine(c, "Error retrieving Current (Uc)."); break;
    case 5: app::LogLine(c, "Error retrieving Date (Ud)."); break;
    case 6: app::LogLine(c, "Error retrieving Temperature (Ut)."); break;
    case 7: app::LogLine(c, "Error receiving Volts (Uv)."); break;
    case kDump: app::LogLine(c, "Error receiving EEPROM dump (D)."); break;
    case kSetParameter:
      c.st.CmdState = kSetParameter;
      c.st.AutoNext = false;
      SendCommand(c);
      break;
    case kEscape: EscapeUnanswered(c); break;
    case kHangUp: HangUpUnanswered(c); break;
    default: break;
  }
}

}  // namespace lnk
