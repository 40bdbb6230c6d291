// The toolbar's one click handler: connecting and hanging up, the online
// window, the map and its magnifier, the data-log window; the page buttons
// are in frm_main_pages.cpp.
#include <string>

#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_progress.h"
#include "common/app_info.h"
#include "link/line_use.h"
#include "link/settings_access.h"
#include "sites/data_log_list.h"
#include "sites/frm_log.h"
#include "sites/frm_map.h"

namespace app {

namespace {

// A Tag that is no number (the Site button's design Tag "Site") reads as
// "not shown".
bool Shown(const ui::ToolbarButton& b) { return b.Tag() == "1"; }

void SetShown(ui::ToolbarButton& b, bool shown) {
  b.Tag = shown ? "1" : "0";
  b.Value = shown ? ui::tbrPressed : ui::tbrUnpressed;
}

// Keys whose buttons work before any unit data are present.
bool NeedsNoData(const std::string& key) {
  return key == "Map" || key == "Connect" || key == "Select" || key == "Magnify";
}

}  // namespace

void frmMain::tbToolBar_ButtonClick(ui::ToolbarButton& Button) {
  const std::string key = Button.Key();
  c_.st.CurrentKey = key;
  if (!NeedsNoData(key) && c_.st.EepromImage.empty()) {
    c_.rt.MsgBox("No valid data to display. Please log onto a site or load a status file.",
                 ui::vbInformation, app_info::kProductName);
    return;
  }
  if (key == "Connect") {
    ConnectButton_Click(Button);
  } else if (key == "Site") {
    SiteButton_Click(Button);
  } else if (key == "Status") {
    ShowStatus(false, false);
  } else if (key == "Memory" || key == "Controls" || key == "Install" || key == "Factory") {
    PageButton_Click(Button);
  } else if (key == "Select") {
    mnuFileSelect.Click();
  } else if (key == "Map") {
    MapButton_Click(Button);
  } else if (key == "Log") {
    LogButton_Click(Button);
  } else if (key == "Magnify") {
    MagnifyButton_Click();
  } else if (key == "Graphs") {
    GraphsButton_Click(Button);
  }
}

// The button shows what its next click does: "Connect" starts the road of
// "DefaultConn", "Hangup" ends the session.
void frmMain::ConnectButton_Click(ui::ToolbarButton& button) {
  if (button.Image() == "Connect") {
    button.Image = "Hangup";
    button.Caption = "Hangup";
    const std::string road = c_.GetSetting("DefaultConn", "0");
    if (road == "0")
      mnuDirect_Click();
    else if (road == "1")
      mnuModem_Click();
    else if (road == "2")
      mnuConnNet_Click();
  } else {
    button.Image = "Connect";
    button.Caption = "Connect";
    c_.Get<frmProgress>().cmdDisconnect_Click();
  }
}

void frmMain::ResetConnectButton() {
  ui::ToolbarButton& connect = *tbToolBar.Buttons("Connect");
  connect.Image = "Connect";
  connect.Caption = "Connect";
}

void frmMain::SiteButton_Click(ui::ToolbarButton& button) {
  auto& progress = c_.Get<frmProgress>();
  if (!Shown(button)) {
    progress.Show();
    SetShown(button, true);
  } else {
    progress.Hide();
    SetShown(button, false);
  }
}

// The map is shown and hidden only while nobody holds the line; hiding it
// drops the selection, which a call under way is to be filed under.
void frmMain::MapButton_Click(ui::ToolbarButton& button) {
  if (lnk::LineInUse(c_)) return;
  auto& map = c_.Get<sites::frmMap>();
  if (map.Visible()) {
    map.Hide();
    c_.st.SelectedSiteName.clear();
    c_.st.SelectedSiteID = 0;
    button.Value = ui::tbrUnpressed;
  } else {
    map.Show();
    map.DrawSites();
    button.Value = ui::tbrPressed;
  }
}

// The same site's list, with nothing new downloaded, is only shown or hidden;
// otherwise it is filled anew and shown.
void frmMain::LogButton_Click(ui::ToolbarButton& button) {
  auto& st = c_.st;
  if (st.Online && lnk::SettingValue(c_, "chkDemo") == 0) {
    c_.rt.MsgBox("Please disconnect from the current site before viewing log or graph information.",
                 ui::vbInformation, "Online");
    return;
  }
  if (st.SelectedSiteID == 0) {
    c_.rt.MsgBox(
        "First select a site before viewing graph information. \r\n"
        "You may select a site by left-clicking it on the map.",
        ui::vbInformation, "Select site");
    return;
  }
  auto& log = c_.Get<sites::frmLog>();
  if (st.LogSiteID == st.SelectedSiteID && st.LogSiteID != 0 && !st.LogDownloaded) {
    if (!Shown(button)) {
      log.Show();
      SetShown(button, true);
    } else {
      log.Hide();
      SetShown(button, false);
    }
    return;
  }
  if (!sites::FillDataLogList(c_)) {
    st.LogSiteID = -1;  // nothing is listed: the next click reads again
    log.Hide();
    return;
  }
  st.LogSiteID = st.SelectedSiteID;
  log.Show();
}

// Offers the magnifier frame over the whole map, or leaves a magnified view
// for the whole map again.
void frmMain::MagnifyButton_Click() {
  auto& st = c_.st;
  auto* map = c_.IfLoaded<sites::frmMap>();
  if (map == nullptr || !map->Visible()) return;
  auto whole_view = [&] {
    st.ViewLeft = 0;
    st.ViewTop = 0;
    st.ViewRight = map->imgMap.Width();
    st.ViewBottom = map->imgMap.Height();
  };
  if (!st.MapZoomed) {
    const bool show = !map->Shape1.Visible();
    map->Shape1.Visible = show;
    if (show) {
      st.ZoomFactor = 0;
      whole_view();
    }
    return;
  }
  // Back to the whole map; the next magnification starts from it at twice,
  // as the frame's place is measured on the whole map.
  st.MapZoomed = false;
  st.ZoomFactor = 0;
  whole_view();
  map->PaintView();
  map->DrawSites();
}

}  // namespace app
