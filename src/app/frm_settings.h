// The settings dialog: the default connection method, the dialect flag and
// the network endpoint (per-user store, section "Settings"), and the port,
// modem, callout, update and display entries of the settings table, on four
// pages (General, Modem, Cable, Network). The table changes in memory only;
// the file is written when the program closes.
#pragma once

#include <set>
#include <string>

#include "ui/controls.h"

namespace app {

class Console;

inline constexpr int kSettingsGeneral = 1;
inline constexpr int kSettingsModem = 2;
inline constexpr int kSettingsCable = 3;
inline constexpr int kSettingsNetwork = 4;

class frmSettings : public ui::Form {
  // Loads elements first..last of a control array where it is declared, so
  // they take their place in the window's order there.
  struct Elements {
    template <class T>
    Elements(ui::ControlArray<T>& array, int first, int last) {
      for (int i = first; i <= last; ++i) array.Load(i);
    }
  };

 public:
  explicit frmSettings(Console& c);

  // The pages are the frame array frmSettings(1..4), all in one place; only
  // the current page's frame is shown.
  ui::Frame& Page(int index);

  ui::TabStrip TabStrip1{*this, "TabStrip1"};

  // ---- General
  ui::Frame frmSettings1{*this, "frmSettings", kSettingsGeneral, &TabStrip1};
  ui::Frame frmConn{*this, "frmConn", -1, &frmSettings1};
  ui::ControlArray<ui::OptionButton> optConn{*this, "optConn", &frmConn};
  Elements optConnElements{optConn, 0, 2};
  ui::CheckBox chkAddress{*this, "chkAddress", -1, &frmSettings1};
  ui::CheckBox chkUpdate{*this, "chkUpdate", -1, &frmSettings1};
  ui::TextBox txtUpdate{*this, "txtUpdate", -1, &frmSettings1};
  ui::Label Label17{*this, "Label17", -1, &frmSettings1};
  ui::Label Label21{*this, "Label21", -1, &frmSettings1};
  ui::CheckBox chkCallout{*this, "chkCallout", -1, &frmSettings1};
  ui::UpDown udHour{*this, "udHour", -1, &frmSettings1};
  ui::TextBox txtTime{*this, "txtTime", -1, &frmSettings1};
  ui::UpDown udMin{*this, "udMin", -1, &frmSettings1};
  ui::Frame Frame1{*this, "Frame1", -1, &frmSettings1};
  ui::ControlArray<ui::OptionButton> optDays{*this, "optDays", &Frame1};
  Elements optDaysElements{optDays, 0, 1};
  ui::ControlArray<ui::CheckBox> chkDay{*this, "chkDay", &Frame1};
  Elements chkDayElements{chkDay, 0, 6};
  ui::Label Label15{*this, "Label15", -1, &frmSettings1};
  ui::CheckBox chkLowRes{*this, "chkLowRes", -1, &frmSettings1};
  ui::CheckBox chkDemo{*this, "chkDemo", -1, &frmSettings1};

  // ---- Modem
  ui::Frame frmSettings2{*this, "frmSettings", kSettingsModem, &TabStrip1};
  ui::Label lblMPort{*this, "lblMPort", -1, &frmSettings2};
  ui::ComboBox cmbMPort{*this, "cmbMPort", -1, &frmSettings2};
  ui::Label lblMData{*this, "lblMData", -1, &frmSettings2};
  ui::ComboBox cmbMData{*this, "cmbMData", -1, &frmSettings2};
  ui::Label lblMParity{*this, "lblMParity", -1, &frmSettings2};
  ui::ComboBox cmbMParity{*this, "cmbMParity", -1, &frmSettings2};
  ui::Label lblMStop{*this, "lblMStop", -1, &frmSettings2};
  ui::ComboBox cmbMStop{*this, "cmbMStop", -1, &frmSettings2};
  ui::Label lblMBaud{*this, "lblMBaud", -1, &frmSettings2};
  ui::ComboBox cmbMBaud{*this, "cmbMBaud", -1, &frmSettings2};
  ui::Label lblMHandshake{*this, "lblMHandshake", -1, &frmSettings2};
  ui::ComboBox cmbMHandshake{*this, "cmbMHandshake", -1, &frmSettings2};
  ui::Frame fraAnswer{*this, "fraAnswer", -1, &frmSettings2};
  ui::Label lblMRings{*this, "lblMRings", -1, &fraAnswer};
  ui::ComboBox cmbMRings{*this, "cmbMRings", -1, &fraAnswer};
  ui::CheckBox chkRTS{*this, "chkRTS", -1, &frmSettings2};
  ui::CheckBox chkEOT{*this, "chkEOT", -1, &frmSettings2};

  // ---- Cable
  ui::Frame frmSettings3{*this, "frmSettings", kSettingsCable, &TabStrip1};
  ui::Label lblCPort{*this, "lblCPort", -1, &frmSettings3};
  ui::ComboBox cmbCPort{*this, "cmbCPort", -1, &frmSettings3};
  ui::Label lblCData{*this, "lblCData", -1, &frmSettings3};
  ui::ComboBox cmbCData{*this, "cmbCData", -1, &frmSettings3};
  ui::Label lblCParity{*this, "lblCParity", -1, &frmSettings3};
  ui::ComboBox cmbCParity{*this, "cmbCParity", -1, &frmSettings3};
  ui::Label lblCStop{*this, "lblCStop", -1, &frmSettings3};
  ui::ComboBox cmbCStop{*this, "cmbCStop", -1, &frmSettings3};
  ui::Label lblCBaud{*this, "lblCBaud", -1, &frmSettings3};
  ui::ComboBox cmbCBaud{*this, "cmbCBaud", -1, &frmSettings3};
  ui::Label lblCHandshake{*this, "lblCHandshake", -1, &frmSettings3};
  ui::ComboBox cmbCHandshake{*this, "cmbCHandshake", -1, &frmSettings3};

  // ---- Network
  ui::Frame frmSettings4{*this, "frmSettings", kSettingsNetwork, &TabStrip1};
  ui::Label lblIP{*this, "lblIP", -1, &frmSettings4};
  ui::TextBox txtIP{*this, "txtIP", -1, &frmSettings4};
  ui::Label lblPort{*this, "lblPort", -1, &frmSettings4};
  ui::TextBox txtPort{*this, "txtPort", -1, &frmSettings4};

  ui::CommandButton cmdOK{*this, "cmdOK"};
  ui::CommandButton Command1{*this, "Command1"};

  // The page shown (1 General .. 4 Network).
  int SettingsTab = kSettingsGeneral;

  void TabStrip1_Click();
  // Writes "DefaultConn" at once; Cancel does not undo it.
  void optConn_MouseDown(int Index);
  void chkUpdate_Click();
  void chkCallout_Click();
  void optDays_Click();
  void udHour_Change();
  void udMin_Change();
  // Saves everything but "DefaultConn" and asks for a restart.
  void cmdOK_Click();
  void Command1_Click();

 protected:
  void Design() override;
  void Form_Load() override;

 private:
  void DesignGeneral();
  void DesignPort(int page);
  void DesignNetwork();
  void BindEvents();
  void LoadEntries();
  void SaveEntries();
  // Tells the operator what a box must hold and shows it.
  void Refuse(const std::string& rule, int page, ui::Control& box);

  // Loading and saving one entry of the settings table.
  void LoadCheck(ui::CheckBox& box, const char* key);
  void LoadSpinner(ui::UpDown& spinner, const char* key);
  void LoadList(ui::ComboBox& list, const char* key);
  void SaveNumber(const char* key, double value);
  void SaveText(const char* key, const std::string& text);
  void SaveList(const ui::ComboBox& list, const char* key);

  // Entries whose stored value no control here can hold (an hour of 25, a
  // flow control of 7): saved as they were, never as a control's stand-in.
  std::set<std::string> unheld_;
  Console& c_;
};

}  // namespace app
