#include "app/frm_settings.h"

#include <array>

#include "app/console.h"
#include "app/remote_port.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "link/line_values.h"
#include "link/settings_access.h"

namespace app {

namespace {

constexpr std::array<const char*, 7> kDayKeys{"CalloutSunday",   "CalloutMonday", "CalloutTuesday",
                                              "CalloutWednesday", "CalloutThursday",
                                              "CalloutFriday",   "CalloutSaturday"};
// The back colours of the boxes that follow their check box.
constexpr ui::Color kEnabledBack = ui::kSystemCaptionText;   // &H80000009
constexpr ui::Color kDisabledBack = ui::kSystemActiveBorder;  // &H8000000A

int CheckValue(bool on) { return on ? ui::vbChecked : ui::vbUnchecked; }

}  // namespace

frmSettings::frmSettings(Console& c) : ui::Form(c.rt, "frmSettings"), c_(c) { BindEvents(); }

ui::Frame& frmSettings::Page(int index) {
  switch (index) {
    case kSettingsModem: return frmSettings2;
    case kSettingsCable: return frmSettings3;
    case kSettingsNetwork: return frmSettings4;
    default: return frmSettings1;
  }
}

void frmSettings::BindEvents() {
  TabStrip1.Click = [this] { TabStrip1_Click(); };
  for (auto& [index, option] : optConn)
    option->MouseDown = [this, i = index](int, int, double, double) { optConn_MouseDown(i); };
  chkUpdate.Click = [this] { chkUpdate_Click(); };
  chkCallout.Click = [this] { chkCallout_Click(); };
  for (auto& [index, option] : optDays) option->Click = [this] { optDays_Click(); };
  udHour.Change = [this] { udHour_Change(); };
  udMin.Change = [this] { udMin_Change(); };
  cmdOK.Click = [this] { cmdOK_Click(); };
  Command1.Click = [this] { Command1_Click(); };
}

void frmSettings::Form_Load() {
  Page(kSettingsGeneral).Visible = true;
  Page(kSettingsModem).Visible = false;
  Page(kSettingsCable).Visible = false;
  txtIP.Text = c_.GetSetting("RemoteIP", kDefaultRemoteIP);
  txtPort.Text = c_.GetSetting("RemotePort", vb::CStr(kDefaultRemotePort));
  // A stored method that names no option leaves all three clear.
  const double method = vb::Val(c_.GetSetting("DefaultConn", "0"));
  if (method == 0 || method == 1 || method == 2) optConn[static_cast<int>(method)].Value = true;
  // Any value but 0 means the V4 dialect to the start-up, and so it shows here.
  chkAddress.Value = CheckValue(vb::Val(c_.GetSetting("V4", "0")) != 0);
  LoadEntries();
  SettingsTab = kSettingsGeneral;
}

void frmSettings::LoadEntries() {
  LoadCheck(chkUpdate, "chkAutoUpdate");
  txtUpdate.Text = vb::CStrSingle(lnk::SettingValue(c_, "AutoUpdateSeconds"));
  LoadCheck(chkCallout, "chkAutoCallout");
  LoadSpinner(udHour, "CalloutHour");
  LoadSpinner(udMin, "CalloutMinute");
  const bool all_days = lnk::Setting(c_, "optCalloutAllDays").SettingFlag;
  optDays[0].Value.Init(all_days);
  optDays[1].Value.Init(!all_days);
  optDays_Click();
  for (int i = 0; i <= 6; ++i) LoadCheck(chkDay[i], kDayKeys[static_cast<size_t>(i)]);
  const auto text_of = [this](ui::ComboBox& list, const char* key) {
    list.Text = lnk::SettingText(c_, key);
  };
  text_of(cmbCPort, "CableComPort");
  text_of(cmbCData, "CableDataBits");
  text_of(cmbCParity, "CableParity");
  text_of(cmbCStop, "CableStopBits");
  text_of(cmbCBaud, "CableBaud");
  LoadList(cmbCHandshake, "CableFlowControl");
  text_of(cmbMPort, "ModemComPort");
  text_of(cmbMData, "ModemDataBits");
  text_of(cmbMParity, "ModemParity");
  text_of(cmbMStop, "ModemStopBits");
  text_of(cmbMBaud, "ModemBaud");
  LoadList(cmbMHandshake, "ModemFlowControl");
  text_of(cmbMRings, "ModemRings");
  LoadCheck(chkEOT, "chkEnableEOT");
  LoadCheck(chkDemo, "chkDemo");
  LoadCheck(chkLowRes, "chkLowRes");
  LoadCheck(chkRTS, "chkRTS");
}

// A flag key is on at 1 only, and the box shows exactly that.
void frmSettings::LoadCheck(ui::CheckBox& box, const char* key) {
  box.Value = CheckValue(lnk::SettingValue(c_, key) == 1);
}

void frmSettings::LoadSpinner(ui::UpDown& spinner, const char* key) {
  const float value = lnk::SettingValue(c_, key);
  const auto whole = vb::TryCInt(value);
  if (!whole || *whole < spinner.Min() || *whole > spinner.Max()) {
    unheld_.insert(key);
    return;
  }
  spinner.Value = *whole;
}

void frmSettings::LoadList(ui::ComboBox& list, const char* key) {
  const auto position = vb::TryCInt(lnk::SettingValue(c_, key));
  if (!position || *position < 0 || *position >= list.ListCount()) return;  // nothing chosen
  list.ListIndex = *position;
}

void frmSettings::TabStrip1_Click() {
  const int chosen = TabStrip1.SelectedIndex();
  if (chosen == SettingsTab) return;
  Page(chosen).Visible = true;
  Page(SettingsTab).Visible = false;
  SettingsTab = chosen;
}

void frmSettings::optConn_MouseDown(int Index) { c_.SaveSetting("DefaultConn", vb::CStr(Index)); }

void frmSettings::chkUpdate_Click() {
  const bool on = chkUpdate.Value() == ui::vbChecked;
  txtUpdate.Enabled = on;
  txtUpdate.BackColor = on ? kEnabledBack : kDisabledBack;
}

void frmSettings::chkCallout_Click() {
  const bool on = chkCallout.Value() == ui::vbChecked;
  udHour.Enabled = on;
  udMin.Enabled = on;
  txtTime.BackColor = on ? kEnabledBack : kDisabledBack;
  optDays[0].Value = true;
  optDays[0].Enabled = on;
  optDays[1].Enabled = on;
  if (on) return;
  for (auto& [index, box] : chkDay) {
    box->Value = ui::vbUnchecked;
    box->Enabled = false;
  }
}

void frmSettings::optDays_Click() {
  for (auto& [index, box] : chkDay) box->Enabled = optDays[1].Value();
}

void frmSettings::udHour_Change() {
  txtTime.Text = vb::Format(udHour.Value(), "00") + ":" + vb::Format(udMin.Value(), "00");
}

void frmSettings::udMin_Change() { udHour_Change(); }

void frmSettings::Refuse(const std::string& rule, int page, ui::Control& box) {
  c_.rt.MsgBox(rule, ui::vbExclamation, app_info::kTitle);
  TabStrip1.SelectedIndex = page;
  box.SetFocus();
}

void frmSettings::cmdOK_Click() {
  // A box that becomes a port number, a line setting or part of a modem
  // command takes only what those can be ("2.6" would open COM3, rings of
  // "2DT5551234" would dial): nothing is saved until the operator corrects
  // it. Likewise a port that is no TCP port would reach another one (70000
  // is taken as 4464) or none at all.
  const struct {
    const char* key;
    ui::ComboBox& box;
    int page;
  } line_boxes[] = {
      {"ModemComPort", cmbMPort, kSettingsModem},   {"ModemDataBits", cmbMData, kSettingsModem},
      {"ModemParity", cmbMParity, kSettingsModem},  {"ModemStopBits", cmbMStop, kSettingsModem},
      {"ModemBaud", cmbMBaud, kSettingsModem},      {"ModemRings", cmbMRings, kSettingsModem},
      {"CableComPort", cmbCPort, kSettingsCable},   {"CableDataBits", cmbCData, kSettingsCable},
      {"CableParity", cmbCParity, kSettingsCable},  {"CableStopBits", cmbCStop, kSettingsCable},
      {"CableBaud", cmbCBaud, kSettingsCable},
  };
  for (const auto& line : line_boxes) {
    const lnk::LineField& field = lnk::LineFieldOf(line.key);
    if (!field.holds(line.box.Text())) return Refuse(lnk::LineFieldRule(field), line.page, line.box);
  }
  if (!ParseRemotePort(txtPort.Text())) return Refuse(kRemotePortRange, kSettingsNetwork, txtPort);
  c_.SaveSetting("V4", vb::CStr(chkAddress.Value()));
  c_.SaveSetting("RemoteIP", txtIP.Text());
  c_.SaveSetting("RemotePort", txtPort.Text());
  SaveEntries();
  c_.rt.MsgBox("Please restart the program for these settings to take effect", ui::vbOKOnly,
               app_info::kTitle);
  Unload();
}

void frmSettings::SaveEntries() {
  SaveNumber("chkAutoUpdate", chkUpdate.Value());
  SaveNumber("AutoUpdateSeconds", vb::Val(txtUpdate.Text()));
  SaveNumber("chkAutoCallout", chkCallout.Value());
  SaveNumber("CalloutHour", udHour.Value());
  SaveNumber("CalloutMinute", udMin.Value());
  lnk::FindSetting(c_, "optCalloutAllDays");
  c_.settings.Current().SettingFlag = optDays[0].Value();
  c_.settings.SettingBoolToText();
  std::string days;
  for (int i = 0; i <= 6; ++i) {
    SaveNumber(kDayKeys[static_cast<size_t>(i)], chkDay[i].Value());
    if (chkDay[i].Value() == ui::vbChecked) days += chkDay[i].Caption();
  }
  SaveText("CalloutDays", days);
  SaveText("CableComPort", cmbCPort.Text());
  SaveText("CableDataBits", cmbCData.Text());
  SaveText("CableParity", cmbCParity.Text());
  SaveText("CableStopBits", cmbCStop.Text());
  SaveText("CableBaud", cmbCBaud.Text());
  SaveList(cmbCHandshake, "CableFlowControl");
  SaveText("ModemComPort", cmbMPort.Text());
  SaveText("ModemDataBits", cmbMData.Text());
  SaveText("ModemParity", cmbMParity.Text());
  SaveText("ModemStopBits", cmbMStop.Text());
  SaveText("ModemBaud", cmbMBaud.Text());
  SaveList(cmbMHandshake, "ModemFlowControl");
  SaveText("ModemRings", cmbMRings.Text());
  SaveNumber("chkEnableEOT", chkEOT.Value());
  SaveNumber("chkDemo", chkDemo.Value());
  SaveNumber("chkLowRes", chkLowRes.Value());
  SaveNumber("chkRTS", chkRTS.Value());
}

void frmSettings::SaveNumber(const char* key, double value) {
  lnk::FindSetting(c_, key);
  if (unheld_.count(key) != 0) return;
  c_.settings.Current().SettingValue = vb::CSng(value);
  c_.settings.SettingNumToText();
}

void frmSettings::SaveText(const char* key, const std::string& text) {
  lnk::FindSetting(c_, key);
  c_.settings.Current().SettingText = text;
  c_.settings.SettingTextToNum();
}

// A list with nothing chosen (its stored position named no entry) keeps the
// stored value.
void frmSettings::SaveList(const ui::ComboBox& list, const char* key) {
  lnk::FindSetting(c_, key);
  if (list.ListIndex() < 0) return;
  c_.settings.Current().SettingValue = static_cast<float>(list.ListIndex());
  c_.settings.SettingNumToText();
}

void frmSettings::Command1_Click() { Unload(); }

}  // namespace app
