#include "sites/frm_log.h"

#include "app/console.h"

namespace sites {

frmLog::frmLog(app::Console& c) : ui::Form(c.rt, "frmLog"), c_(c) {
  SetMDIChild();
  cmdClose.Click = [this] { cmdClose_Click(); };
  LogExtremes.fill(kUnsetExtreme);
}

void frmLog::Design() {
  Caption = "Data Log";
  Move(0, 0, 12300, 6600);
  txtSite.Locked = true;
  txtSite.Move(120, 120, 4200, 315);
  lstLog.Move(120, 540, 11940, 5040);
  lstLog.GridLines = true;
  lstLog.ClearColumns();
  // The design's fourteen captions, then one more column for the last
  // value of a record (the amp-hours to the load).
  lstLog.AddColumn("Date", 1140);
  for (const char* caption : {"Time", "BATV", "pVamp", "REamp", "LDamp", "SUN", "TBat", "TAmb",
                              "GenHr", "HVA", "LVA", "FLT1", "FLT2", "AHLoad"})
    lstLog.AddColumn(caption, 720);
  cmdClose.Caption = "&Close";
  cmdClose.Cancel = true;
  cmdClose.Move(10740, 5700, 1320, 375);
}

void frmLog::ShowSite(const std::string& name) {
  site_name_ = name;
  txtSite.Text = name;
}

void frmLog::cmdClose_Click() { Hide(); }

void frmLog::Form_Activate() { txtSite.Text = site_name_; }

// The list goes with the window: the next Log click fills it again instead
// of showing an empty list as the site's.
void frmLog::Form_Unload(int& /*cancel*/) {
  c_.st.LogSiteID = -1;
  lstLog.Clear();
  site_name_.clear();
}

}  // namespace sites
