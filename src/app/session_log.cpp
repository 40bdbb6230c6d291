#include "app/session_log.h"

#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "common/vb.h"

namespace app {

void LogLine(Console& c, const std::string& text) { LogText(c, text + "\r\n"); }

void BeginSessionLog(Console& c) {
  c.Get<frmProgress>().txtLog.Text = "Session start: " + vb::CStrDate(c.rt.Now()) + "\r\n";
  c.st.SessionConnected = false;
  c.st.SessionLogStored = false;
}

void LogText(Console& c, const std::string& text) { c.Get<frmProgress>().txtLog.Append(text); }

void SetStatus(Console& c, const std::string& text) {
  SetStatusBar(c, text);
  c.Get<frmProgress>().txtStatus.Text = text;
}

void SetStatusBar(Console& c, const std::string& text) { c.Get<frmMain>().SetStatusText(text); }

}  // namespace app
