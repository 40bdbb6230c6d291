// The settings dialog's design state: its pages, captions, lists and the
// hidden update and callout block.
#include <array>

#include "app/frm_settings.h"

namespace app {

namespace {

constexpr int kPageLeft = 120;
constexpr int kPageTop = 480;
constexpr int kPageWidth = 6300;
constexpr int kPageHeight = 3840;
constexpr int kRow = 420;  // one label-and-list row of a port page

void Fill(ui::ComboBox& list, std::initializer_list<const char*> items, const char* text,
          int style = ui::vbComboDropdown) {
  list.Clear();
  list.Style = style;
  for (const char* item : items) list.AddItem(item);
  list.Text = text;
}

void FillPorts(ui::ComboBox& list) {
  list.Clear();
  list.Style = ui::vbComboDropdown;
  for (int port = 1; port <= 16; ++port) list.AddItem(std::to_string(port));
  list.Text = "2";
}

}  // namespace

void frmSettings::Design() {
  Caption = "Settings";
  BorderStyle = ui::vbFixedDialog;
  Move(2400, 1800, 6900, 5640);
  TabStrip1.Move(120, 120, 6540, 4440);
  if (TabStrip1.TabCount() == 0)
    for (const char* tab : {"&General", "&Modem", "&Cable", "&Network"}) TabStrip1.AddTab(tab);
  for (int page = kSettingsGeneral; page <= kSettingsNetwork; ++page) {
    Page(page).BorderStyle = 0;
    Page(page).Move(kPageLeft, kPageTop, kPageWidth, kPageHeight);
    Page(page).Visible = page == kSettingsGeneral;
  }
  SettingsTab = kSettingsGeneral;
  TabStrip1.SelectedIndex = kSettingsGeneral;
  DesignGeneral();
  DesignPort(kSettingsModem);
  DesignPort(kSettingsCable);
  DesignNetwork();
  cmdOK.Caption = "&OK";
  cmdOK.Default = true;
  cmdOK.Move(4020, 4680, 1215, 375);
  Command1.Caption = "&Cancel";
  Command1.Cancel = true;
  Command1.Move(5445, 4680, 1215, 375);
  unheld_.clear();
}

void frmSettings::DesignGeneral() {
  frmConn.Caption = "Default connection method:";
  frmConn.Move(120, 120, 3000, 1380);
  const std::array<const char*, 3> methods{"Direct Cable", "Modem", "Ethernet"};
  for (int i = 0; i <= 2; ++i) {
    optConn[i].Caption = methods[static_cast<size_t>(i)];
    optConn[i].Value = false;
    optConn[i].Move(240, 330 + i * 330, 2520, 300);
  }
  chkAddress.Caption = "Prefix commands with addresses for serial networks";
  chkAddress.Value = ui::vbUnchecked;
  chkAddress.Move(120, 1680, 6000, 300);
  Label15.Caption = "Status Screen:";
  Label15.Move(120, 2220, 3000, 255);
  chkLowRes.Caption = "Low-resolution map (Conserves memory)";
  chkLowRes.Value = ui::vbUnchecked;
  chkLowRes.Move(120, 2500, 6000, 300);
  // Out of sight above the page.
  chkDemo.Caption = "Demo Mode";
  chkDemo.Value = ui::vbUnchecked;
  chkDemo.Move(120, -600, 2400, 300);

  // The automatic update and callout block: hidden, and nothing shows it.
  Label21.Caption = "Automatic Callout:";
  Label21.Move(3360, 120, 2820, 255);
  chkCallout.Caption = "Enable automatic callout at";
  chkCallout.Value = ui::vbUnchecked;
  chkCallout.Move(3360, 400, 1800, 300);
  udHour.Min = 0;
  udHour.Max = 23;
  udHour.Value = 0;
  udHour.Enabled = true;
  udHour.Move(5160, 390, 240, 300);
  udMin.Min = 0;
  udMin.Max = 59;
  udMin.Value = 0;
  udMin.Enabled = true;
  udMin.Move(6000, 390, 240, 300);
  txtTime.Text = "14:00";  // after the spinners, whose Change writes it
  txtTime.Locked = true;
  txtTime.BackColor = ui::kSystemCaptionText;
  txtTime.Move(5400, 390, 600, 300);
  Frame1.BorderStyle = 0;
  Frame1.Move(3360, 760, 2880, 2040);
  optDays[0].Caption = "All days";
  optDays[1].Caption = "Only on the following days:";
  for (int i = 0; i <= 1; ++i) {
    optDays[i].Value = i == 0;
    optDays[i].Enabled = false;
    optDays[i].Move(120, 120 + i * 280, 2700, 255);
  }
  const std::array<const char*, 7> days{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
  for (int i = 0; i <= 6; ++i) {
    chkDay[i].Caption = days[static_cast<size_t>(i)];
    chkDay[i].Value = ui::vbUnchecked;
    chkDay[i].Enabled = false;
    chkDay[i].Move(120 + (i % 2) * 1380, 760 + (i / 2) * 290, 1320, 255);
  }
  chkUpdate.Caption = "Automatically update status every";
  chkUpdate.Value = ui::vbUnchecked;
  chkUpdate.Move(3360, 2880, 2160, 300);
  txtUpdate.Text = "60";
  txtUpdate.Enabled = false;
  txtUpdate.BackColor = ui::kSystemActiveBorder;
  txtUpdate.Move(5520, 2870, 480, 300);
  Label17.Caption = "seconds";
  Label17.Move(5520, 3200, 700, 255);
  for (ui::Control* control :
       std::initializer_list<ui::Control*>{&chkUpdate, &txtUpdate, &Label17, &chkCallout, &Label21,
                                           &txtTime, &udHour, &udMin, &Frame1})
    control->Visible = false;
  for (auto& [index, option] : optDays) option->Visible = false;
  for (auto& [index, box] : chkDay) box->Visible = false;
}

// The Modem and Cable pages: the same line settings, and on the Modem page
// the auto-answer rings, RTS and the fast end-of-reply check.
void frmSettings::DesignPort(int page) {
  const bool modem = page == kSettingsModem;
  struct Row {
    ui::Label& label;
    const char* caption;
    ui::ComboBox& list;
  };
  const std::array<Row, 6> rows{{
      {modem ? lblMPort : lblCPort, "COM Port:", modem ? cmbMPort : cmbCPort},
      {modem ? lblMData : lblCData, "Data Bits:", modem ? cmbMData : cmbCData},
      {modem ? lblMParity : lblCParity, "Parity:", modem ? cmbMParity : cmbCParity},
      {modem ? lblMStop : lblCStop, "Stop Bits:", modem ? cmbMStop : cmbCStop},
      {modem ? lblMBaud : lblCBaud, "Baud:", modem ? cmbMBaud : cmbCBaud},
      {modem ? lblMHandshake : lblCHandshake, "Flow Control:", modem ? cmbMHandshake : cmbCHandshake},
  }};
  for (size_t i = 0; i < rows.size(); ++i) {
    const int top = 150 + static_cast<int>(i) * kRow;
    rows[i].label.Caption = rows[i].caption;
    rows[i].label.Move(120, top + 30, 1320, 255);
    rows[i].list.Move(1440, top, i + 1 == rows.size() ? 1560 : 1080, 315);
  }
  FillPorts(rows[0].list);
  Fill(rows[1].list, {"7", "8"}, "8");
  Fill(rows[2].list, {"N", "O", "E"}, "N");
  Fill(rows[3].list, {"1", "2"}, "1");
  Fill(rows[4].list, {"300", "1200", "2400", "4800", "9600", "19200"}, "9600");
  // The two lists name their third entry differently; both mean position 2.
  Fill(rows[5].list, {"None", "Xon/Xoff", modem ? "RTS/CTS" : "CTS/RTS", "Both"}, "",
       ui::vbComboDropdownList);
  if (!modem) return;
  fraAnswer.Caption = "Auto-answer:";
  fraAnswer.Move(3360, 90, 2820, 840);
  lblMRings.Caption = "Number of Rings:";
  lblMRings.Move(150, 390, 1440, 255);
  cmbMRings.Move(1620, 360, 900, 315);
  Fill(cmbMRings, {"1", "2", "3", "4", "5", "6"}, "2");
  chkRTS.Caption = "Enable RTS";
  chkRTS.Value = ui::vbUnchecked;
  chkRTS.Move(3360, 1140, 2820, 300);
  chkEOT.Caption = "Enable fast EOT checking";
  chkEOT.Value = ui::vbUnchecked;
  chkEOT.Move(3360, 1500, 2820, 300);
}

void frmSettings::DesignNetwork() {
  lblIP.Caption = "Remote IP:";
  lblIP.Move(120, 180, 1320, 255);
  txtIP.Text = "";
  txtIP.Move(1440, 150, 2400, 315);
  lblPort.Caption = "Remote Port:";
  lblPort.Move(120, 600, 1320, 255);
  txtPort.Text = "4660";
  txtPort.Move(1440, 570, 1080, 315);
}

}  // namespace app
