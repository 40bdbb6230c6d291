#include "sites/frm_site.h"

#include <algorithm>

#include "app/console.h"
#include "app/frm_connection.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "common/whole_number.h"
#include "platform/field_coercion.h"
#include "sites/frm_map.h"
#include "sites/site_conventions.h"
#include "sites/site_queries.h"

namespace sites {

namespace {

constexpr int kPorts = 16;

}  // namespace

// One row of position boxes: the degree spinner writes the box that holds
// the map position, the minutes spinner its minutes box.
struct frmSite::Row {
  ui::UpDown& degrees;
  ui::UpDown& minutes;
  ui::TextBox& degree_box;
  ui::TextBox& minute_box;
  int deg_min, deg_max, minutes_at_min, minutes_at_max;
};

frmSite::frmSite(app::Console& c) : ui::Form(c.rt, "frmSite"), c_(c) {
  for (int i = 0; i <= 1; ++i) optConn.Load(i).Click = [this, i] { optConn_Click(i); };
  cmdOK.Click = [this] { cmdOK_Click(); };
  cmdCancel.Click = [this] { cmdCancel_Click(); };
  UpDown1.Change = [this] { UpDown1_Change(); };
  UpDown2.Change = [this] { UpDown2_Change(); };
  UpDown3.Change = [this] { UpDown3_Change(); };
  UpDown4.Change = [this] { UpDown4_Change(); };
  for (ui::UpDown* spinner : {&UpDown1, &UpDown2, &UpDown3, &UpDown4}) {
    spinner->UpClick = [this] { PositionChanged = true; };
    spinner->DownClick = [this] { PositionChanged = true; };
  }
}

void frmSite::Design() {
  Caption = "Site Properties";
  BorderStyle = ui::vbFixedDialog;
  Move(2000, 2000, 6000, 5160);
  struct LabelText {
    ui::Label& label;
    const char* text;
    int left, top, width;
  };
  const LabelText captions[] = {
      {Label1, "Site name:", 240, 270, 1800},
      {Label9, "Site#/address:", 240, 690, 1800},
      {Label10, "Customer Site #:", 240, 1110, 1800},
      {Label2, "Telephone#:", 1560, 345, 1100},
      {Label11, "COM Port:", 1560, 825, 1100},
      {Label6, "Latitude (22\"35' - 26\"45'):", 240, 3210, 2640},
      {Label3, "Longitude (50\"28' - 57\"00'):", 240, 3690, 2640},
      {Label4, "\"", 3840, 3210, 120},
      {Label7, "\"", 3840, 3690, 120},
      {Label5, "'", 4980, 3210, 120},
      {Label8, "'", 4980, 3690, 120},
  };
  for (const LabelText& l : captions) {
    l.label.Caption = l.text;
    l.label.Move(l.left, l.top, l.width, 255);
  }
  txtSiteName.Move(2160, 225, 3480, 315);
  txtSiteNum.Move(2160, 645, 1560, 315);
  txtCustSiteNum.Move(2160, 1065, 1560, 315);
  Frame1.Caption = "Connection Method:";
  Frame1.Move(240, 1530, 5400, 1380);
  optConn[0].Caption = "Modem";
  optConn[0].Move(240, 345, 1200, 255);
  optConn[1].Caption = "Direct";
  optConn[1].Move(240, 825, 1200, 255);
  for (int i = 0; i <= 1; ++i) optConn[i].Value = false;
  txtSitePhone.Move(2700, 300, 2460, 315);
  txtSitePhone.Enabled = true;
  txtSitePhone.BackColor = ui::kSystemWindow;
  cmbComm.Move(2700, 780, 900, 315);
  cmbComm.Style = ui::vbComboDropdownList;
  cmbComm.Clear();
  for (int port = 1; port <= kPorts; ++port) cmbComm.AddItem(vb::CStr(port));
  cmbComm.ListIndex = 0;  // "1"
  cmbComm.Enabled = true;
  cmbComm.BackColor = ui::kSystemWindow;
  chkCallout.Caption = "Enable automatic callout";
  chkCallout.Move(240, 2970, 3000, 255);
  chkCallout.Visible = false;
  chkCallout.Value = ui::vbUnchecked;
  // Spinners first: their Change handlers write the boxes set below.
  struct Spinner {
    ui::UpDown& spinner;
    int min, max, value, left, top;
  };
  const Spinner spinners[] = {{UpDown3, 22, 26, 22, 3570, 3165},
                              {UpDown4, 0, 59, 0, 4710, 3165},
                              {UpDown1, 50, 57, 50, 3570, 3645},
                              {UpDown2, 0, 59, 30, 4710, 3645}};
  for (const Spinner& s : spinners) {
    s.spinner.Min = s.min;
    s.spinner.Max = s.max;
    s.spinner.Value = s.value;
    s.spinner.Move(s.left, s.top, 240, 315);
  }
  txtLatMin.Text = "500";
  txtLatMin.Move(2880, 3165, 690, 315);
  txtLatSec.Text = "00";
  txtLatSec.Move(4020, 3165, 690, 315);
  txtLonMin.Text = "500";
  txtLonMin.Move(2880, 3645, 690, 315);
  txtLonSec.Text = "30";
  txtLonSec.Move(4020, 3645, 690, 315);
  txtSiteName.Text = "";
  txtSiteNum.Text = "";
  txtCustSiteNum.Text = "";
  txtSitePhone.Text = "";
  txtSiteColor.Text = "";
  txtSiteColor.Visible = false;
  cmdOK.Caption = "&OK";
  cmdOK.Default = true;
  cmdOK.Move(2520, 4200, 1440, 420);
  cmdCancel.Caption = "&Cancel";
  cmdCancel.Cancel = true;
  cmdCancel.Move(4200, 4200, 1440, 420);
  PositionChanged = false;
}

void frmSite::Form_Load() {
  auto& st = c_.st;
  if (st.AddingSite) {
    c_.rsSite = c_.Db.OpenRecordset(kSitesTable);
    PositionChanged = true;
    txtSiteName.Text = "New Site";
    return;
  }
  PositionChanged = false;
  c_.rsSite = c_.Db.OpenRecordset(EditSiteQuery(st.SelectedSiteID));
  const platform::Recordset& rs = c_.rsSite;
  if (!rs.Field("SiteName").IsNull()) txtSiteName.Text = rs.Field("SiteName").ToText();
  const platform::Variant phone = rs.Field("SitePhone");
  if (!phone.IsNull()) {
    // A network address ("~" and a host) sets neither button and is kept.
    const double value = vb::Val(phone.ToText());
    if (value >= 1 && value <= kPorts) {
      cmbComm.ListIndex = static_cast<int>(vb::Int(value)) - 1;
      optConn[1].Value = true;
    } else if (value > kPorts) {
      txtSitePhone.Text = phone.ToText();
      optConn[0].Value = true;
    }
  }
  const platform::Variant site_num = rs.Field("SiteNum");
  txtSiteNum.Text = site_num.IsNull() ? "" : vb::CStr(UnitSiteNum(site_num.ToLong()));
  const platform::Variant cust = rs.Field("SiteCustNum");
  txtCustSiteNum.Text = cust.IsNull() ? "0" : cust.ToText();
  chkCallout.Value = rs.Field("CallOut").ToBool() ? ui::vbChecked : ui::vbUnchecked;
  txtLatMin.Text = rs.Field("SiteLatMin").ToText();
  txtLonMin.Text = rs.Field("SiteLonMin").ToText();
  txtSiteColor.Text = rs.Field("SiteColor").ToText();
}

void frmSite::Form_Unload(int& /*cancel*/) { c_.rsSite.Close(); }

void frmSite::optConn_Click(int Index) {
  const bool direct = Index == 1;
  txtSitePhone.Enabled = !direct;
  txtSitePhone.BackColor = direct ? ui::kSystemButtonFace : ui::kSystemWindow;
  cmbComm.Enabled = direct;
  cmbComm.BackColor = direct ? ui::kSystemWindow : ui::kSystemButtonFace;
}

// Numbers that the columns could not hold are refused before anything is
// written, rather than stored wrapped or dropped without a word.
std::string frmSite::RefusalOfNumbers() {
  const auto site_num = common::WholeNumber(txtSiteNum.Text());
  if (!site_num || !StoredSiteNum(*site_num))
    return "The site number must be a whole number from 0 to 65535.";
  const std::string cust = txtCustSiteNum.Text();
  const auto cust_num = common::WholeNumber(cust);
  if (!cust.empty() && (!cust_num || !std::in_range<std::int32_t>(*cust_num)))
    return "The customer site number must be a whole number.";
  if (PositionChanged && (!platform::StrictNumberFromText(txtLatMin.Text()) ||
                          !platform::StrictNumberFromText(txtLonMin.Text())))
    return "The map position must be a number.";
  return "";
}

void frmSite::cmdOK_Click() {
  auto& st = c_.st;
  if (vb::Val(txtSiteNum.Text()) == 0) {
    c_.rt.MsgBox("You must enter a site number.", ui::vbOKOnly, app_info::kTitle);
    return;
  }
  if (const std::string refusal = RefusalOfNumbers(); !refusal.empty()) {
    c_.rt.MsgBox(refusal, ui::vbOKOnly, app_info::kTitle);
    return;
  }
  auto& rs = c_.rsSite;
  if (st.AddingSite)
    rs.AddNew();
  else
    rs.Edit();
  if (!txtSiteName.Text().empty()) rs.Fields("SiteName") = txtSiteName.Text();
  rs.Fields(kMapIdColumn) = c_.Get<frmMap>().GetCurrentMapID();
  const double port = vb::Val(cmbComm.Text());
  if (optConn[0].Value() && !txtSitePhone.Text().empty())
    rs.Fields("SitePhone") = txtSitePhone.Text();
  else if (optConn[1].Value() && port >= 1 && port <= kPorts)
    rs.Fields("SitePhone") = port;
  // 40000 is stored as -25536 (the column is a signed 16-bit number).
  const std::int64_t typed = *common::WholeNumber(txtSiteNum.Text());  // checked above
  const std::int16_t stored = *StoredSiteNum(typed);
  if (typed > 32767) txtSiteNum.Text = vb::CStr(stored);
  rs.Fields("SiteNum") = static_cast<std::int32_t>(stored);
  if (!txtCustSiteNum.Text().empty()) rs.Fields("SiteCustNum") = txtCustSiteNum.Text();
  rs.Fields("CallOut") = chkCallout.Value() == ui::vbChecked;
  if (PositionChanged) {
    rs.Fields("SiteLatMin") = txtLatMin.Text();
    rs.Fields("SiteLonMin") = txtLonMin.Text();
  }
  if (!rs.Update()) {
    c_.rt.MsgBox("The site could not be saved: " + rs.Error(), ui::vbExclamation, app_info::kTitle);
    return;
  }
  rs.Close();
  Unload();
  c_.Unload<app::frmConnection>();
  c_.Get<frmMap>().Form_Resize();
}

void frmSite::cmdCancel_Click() { Unload(); }

void frmSite::DegreesChanged(const Row& row) {
  const int degrees = row.degrees.Value();
  const double minutes = vb::Val(row.minute_box.Text());
  if (degrees == row.deg_max && minutes > row.minutes_at_max)
    row.minute_box.Text = vb::CStr(row.minutes_at_max);
  if (degrees == row.deg_min && minutes < row.minutes_at_min)
    row.minute_box.Text = vb::CStr(row.minutes_at_min);
  const int wanted = vb::CInt(vb::Val(row.minute_box.Text()));
  row.minutes.Value = std::clamp(wanted, row.minutes.Min(), row.minutes.Max());
  row.degree_box.Text = vb::CStr(degrees);
}

void frmSite::MinutesChanged(const Row& row) {
  const int degrees = row.degrees.Value();
  int minutes = row.minutes.Value();
  if (degrees == row.deg_max && minutes > row.minutes_at_max) minutes = row.minutes_at_max;
  if (degrees == row.deg_min && minutes < row.minutes_at_min) minutes = row.minutes_at_min;
  if (minutes != row.minutes.Value()) {
    row.minutes.Value = minutes;  // runs this handler again, with the value in bounds
    return;
  }
  row.minute_box.Text = vb::CStr(minutes);
}

void frmSite::UpDown1_Change() {
  const auto& st = c_.st;
  DegreesChanged({UpDown1, UpDown2, txtLonMin, txtLonSec, st.LonDegMin, st.LonDegMax,
                  st.LonMinutesAtMin, st.LonMinutesAtMax});
}
void frmSite::UpDown2_Change() {
  const auto& st = c_.st;
  MinutesChanged({UpDown1, UpDown2, txtLonMin, txtLonSec, st.LonDegMin, st.LonDegMax,
                  st.LonMinutesAtMin, st.LonMinutesAtMax});
}
void frmSite::UpDown3_Change() {
  const auto& st = c_.st;
  DegreesChanged({UpDown3, UpDown4, txtLatMin, txtLatSec, st.LatDegMin, st.LatDegMax,
                  st.LatMinutesAtMin, st.LatMinutesAtMax});
}
void frmSite::UpDown4_Change() {
  const auto& st = c_.st;
  MinutesChanged({UpDown3, UpDown4, txtLatMin, txtLatSec, st.LatDegMin, st.LatDegMax,
                  st.LatMinutesAtMin, st.LatMinutesAtMax});
}

}  // namespace sites
