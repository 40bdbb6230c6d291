#include "app/frm_connection.h"

#include "app/console.h"
#include "app/frm_main.h"
#include "app/site_removal.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "link/settings_access.h"
#include "sites/frm_map.h"
#include "sites/frm_site.h"
#include "sites/site_queries.h"
#include "sites/site_selection.h"

namespace app {

namespace {
std::string RowKey(std::int32_t site_id) { return "k" + vb::Str(site_id); }
}  // namespace

frmConnection::frmConnection(Console& c) : ui::Form(c.rt, "frmConnection"), c_(c) {
  lstDirectory.ItemClick = [this](ui::ListItem& item) { lstDirectory_ItemClick(item); };
  cmdAdd.Click = [this] { cmdAdd_Click(); };
  cmdRemove.Click = [this] { cmdRemove_Click(); };
  cmdProperties.Click = [this] { cmdProperties_Click(); };
  cmdSavePos.Click = [this] { cmdSavePos_Click(); };
}

void frmConnection::Design() {
  Caption = "Select Connection";
  BorderStyle = ui::vbFixedDialog;
  Move(1500, 1500, 11460, 5430);
  Label1.Caption = "Choose Site:";
  Label1.Move(240, 180, 3000, 255);
  lstDirectory.Move(240, 480, 10860, 3720);
  lstDirectory.ClearColumns();
  lstDirectory.AddColumn("Location", 6032);
  lstDirectory.AddColumn("Phone number", 3069);
  lstDirectory.AddColumn("Callout", 1640);
  lstDirectory.Clear();
  const struct {
    ui::CommandButton& button;
    const char* caption;
    int left, width;
  } buttons[] = {{cmdAdd, "&Add Site", 240, 1800},
                 {cmdRemove, "&Remove Site", 2220, 1800},
                 {cmdProperties, "&Properties", 4200, 1800},
                 {cmdSavePos, "&Save Window Position", 8100, 3000}};
  for (const auto& b : buttons) {
    b.button.Caption = b.caption;
    b.button.Move(b.left, 4380, b.width, 420);
  }
}

void frmConnection::Form_Load() {
  Left = vb::CLng(lnk::SettingValue(c_, "frmConnection.Left"));
  Top = vb::CLng(lnk::SettingValue(c_, "frmConnection.Top"));
  rows_.clear();
  platform::Recordset rs = c_.Db.OpenRecordset(sites::kSitesTable);
  for (; !rs.Eof(); rs.MoveNext()) {
    ui::ListItem& item =
        lstDirectory.Add(RowKey(rs.Field("SiteID").ToLong()), rs.Field("SiteName").ToText());
    item.sub_items = {rs.Field("SitePhone").ToText(),
                      rs.Field("CallOut").ToBool() ? "Enabled" : "Disabled"};
    rows_.push_back(RowSite{static_cast<std::int16_t>(rs.Field("SiteNum").ToLong()),
                            rs.Field("SiteCustNum").ToLong()});
  }
  rs.Close();
  lstDirectory.ItemsChanged();
}

// Centred over the main window, with the selected site's row picked.
void frmConnection::Form_Activate() {
  auto& main = c_.Get<frmMain>();
  Top = main.Top() + (main.Height() - 1980 - Height()) / 2;
  Left = main.Left() + (main.Width() - 240 - Width()) / 2;
  if (c_.st.SelectedSiteID == 0) return;
  const int row = lstDirectory.FindKey(RowKey(c_.st.SelectedSiteID));
  if (row == 0) return;
  lstDirectory.Select(row);
  lstDirectory.SetFocus();
}

void frmConnection::lstDirectory_ItemClick(ui::ListItem& Item) {
  auto& st = c_.st;
  if (RowKey(st.SelectedSiteID) != Item.key && sites::RefuseSiteChangeWhileLineInUse(c_)) {
    // The list goes back to the site of the session.
    if (const int row = lstDirectory.FindKey(RowKey(st.SelectedSiteID)); row > 0)
      lstDirectory.Select(row);
    return;
  }
  st.SelectedSiteID = vb::CLng(vb::Val(Item.key.substr(1)));
  const int row = lstDirectory.FindKey(Item.key);
  if (row > 0 && static_cast<std::size_t>(row) <= rows_.size()) {
    st.SelectedSiteName = Item.text;
    st.SelectedSiteNum = rows_[static_cast<std::size_t>(row) - 1].site_num;
    st.SelectedCustNum = rows_[static_cast<std::size_t>(row) - 1].cust_num;
  }
  c_.Get<sites::frmMap>().DrawSites();
}

void frmConnection::cmdAdd_Click() {
  c_.st.AddingSite = true;
  c_.Get<sites::frmSite>().Show(true, &c_.Get<frmMain>());
  Unload();
}

void frmConnection::cmdProperties_Click() {
  if (c_.st.SelectedSiteID == 0) {
    c_.rt.MsgBox(
        "First select a site to view properties.\r\n"
        "You may select a site by left-clicking it on the map.",
        ui::vbOKOnly, app_info::kTitle);
    return;
  }
  c_.st.AddingSite = false;
  c_.Get<sites::frmSite>().Show(true, &c_.Get<frmMain>());
}

void frmConnection::cmdRemove_Click() {
  auto& st = c_.st;
  if (st.SelectedSiteID == 0) return;
  if (c_.rt.MsgBox("Are you sure you want to delete this site?", ui::vbYesNo + ui::vbQuestion,
                   "Confirm site removal") != ui::vbYes)
    return;
  // A refused removal keeps the site, its selection and the dialog.
  if (!RemoveSiteRow(c_, sites::DirectoryRemoveSiteQuery(st.SelectedSiteID))) return;
  c_.Get<sites::frmMap>().Form_Resize();
  st.SelectedSiteID = 0;
  Unload();
}

void frmConnection::cmdSavePos_Click() {
  for (const auto& [name, value] : {std::pair{"frmConnection.Left", Left()},
                                    std::pair{"frmConnection.Top", Top()}}) {
    if (lnk::FindSetting(c_, name) == 0) continue;  // reported by the lookup
    c_.settings.Current().SettingValue = static_cast<float>(value);
    c_.settings.SettingNumToText();
  }
}

}  // namespace app
