// The online window: the session's running log, its status line, the site's
// name and the unit's live values on five stacked panels (Terminal, PV, Load,
// Battery, Site), with buttons to refresh the values, to hang up and to keep
// the window's position. The link writes most of it.
#pragma once

#include "ui/controls.h"

namespace app {

class Console;

// Panels of the window, in optDisplay order.
inline constexpr int kPanelTerminal = 0;
inline constexpr int kPanelPV = 1;
inline constexpr int kPanelLoad = 2;
inline constexpr int kPanelBattery = 3;
inline constexpr int kPanelSite = 4;
inline constexpr int kPanelCount = 5;

// Back colour of the Update button at design time and after a status was read.
inline constexpr ui::Color kUpdateIdleColor = ui::kSystemActiveBorder;  // &H8000000A
// Back colour while an update is under way.
inline constexpr ui::Color kUpdateBusyColor = 0x0000FF00;

class frmProgress : public ui::Form {
 public:
  explicit frmProgress(Console& c);

  // Panel choice.
  ui::Frame fOption{*this, "fOption"};
  ui::ControlArray<ui::OptionButton> optDisplay{*this, "optDisplay", &fOption};
  ui::ControlArray<ui::Frame> fDisplay{*this, "fDisplay"};

  // Terminal panel: the session log.
  ui::TextBox txtLog{*this, "txtLog"};

  // PV panel.
  ui::Frame Frame7{*this, "Frame7"};
  ui::Image imgPV1{*this, "imgPV1"};
  ui::Image imgPV2{*this, "imgPV2"};
  ui::ControlArray<ui::Label> lblRelay{*this, "lblRelay"};  // 38, 39 (PV), 47 (Load)
  ui::Label lblCurrentPV{*this, "lblCurrentPV"};
  ui::TextBox txtCurrentPV{*this, "txtCurrentPV"};
  ui::Label lblAHout{*this, "lblAHout"};
  ui::TextBox txtAHout{*this, "txtAHout"};  // shows the ampere-hours in (PV AH)
  ui::Image Image2{*this, "Image2"};

  // Load panel.
  ui::Frame Frame8{*this, "Frame8"};
  ui::Image imgLoad1{*this, "imgLoad1"};
  ui::Label lblCurrentLoad{*this, "lblCurrentLoad"};
  ui::TextBox txtCurrentLoad{*this, "txtCurrentLoad"};
  ui::Label lblAHin{*this, "lblAHin"};
  ui::TextBox txtAHin{*this, "txtAHin"};  // shows the ampere-hours out (load AH)
  ui::Image Image3{*this, "Image3"};

  // Battery panel: two gauges and three values.
  ui::Label lblSOC{*this, "lblSOC"};
  ui::TextBox txtSOC{*this, "txtSOC"};
  ui::PictureBox picVoltsBatt{*this, "picVoltsBatt"};
  ui::Label lblVoltsCaption{*this, "lblVoltsCaption"};
  ui::TextBox txtVoltsBatt{*this, "txtVoltsBatt"};
  ui::Label lblVoltsBatt{*this, "lblVoltsBatt"};  // the gauge's column
  ui::PictureBox picTempBatt{*this, "picTempBatt"};
  ui::Label lblTempBattCaption{*this, "lblTempBattCaption"};
  ui::TextBox txtTempBatt{*this, "txtTempBatt"};
  ui::Label lblTempBatt{*this, "lblTempBatt"};
  ui::Label lblAmpsNet{*this, "lblAmpsNet"};
  ui::TextBox txtAmpsNet{*this, "txtAmpsNet"};
  ui::Label lblAHnet{*this, "lblAHnet"};
  ui::TextBox txtAHnet{*this, "txtAHnet"};
  ui::Image Image4{*this, "Image4"};

  // Site panel: the unit temperature gauge, the site, the unit's clock.
  ui::PictureBox picTempCont{*this, "picTempCont"};
  ui::Label lblTempContCaption{*this, "lblTempContCaption"};
  ui::TextBox txtTempController{*this, "txtTempController"};
  ui::Label lblTempCont{*this, "lblTempCont"};
  ui::TextBox txtName{*this, "txtName"};
  ui::Label lblTime{*this, "lblTime"};
  ui::TextBox txtTime{*this, "txtTime"};
  ui::Label lblDate{*this, "lblDate"};
  ui::TextBox txtDate{*this, "txtDate"};
  ui::Image Image5{*this, "Image5"};

  // Outside the panels.
  ui::Label lblStatus{*this, "lblStatus"};
  ui::TextBox txtStatus{*this, "txtStatus"};
  ui::CommandButton cmdUpdate{*this, "cmdUpdate"};
  ui::CommandButton cmdDisconnect{*this, "cmdDisconnect"};
  ui::CommandButton cmdSavePos{*this, "cmdSavePos"};

  // The Disconnect button; also the toolbar's Hangup and the installation
  // screen's Disconnect.
  void cmdDisconnect_Click();
  // Shows panel Index (0 Terminal .. 4 Site) and hides the others.
  void optDisplay_Click(int Index);

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Activate() override;

 private:
  void cmdUpdate_Click();
  void cmdSavePos_Click();
  void BuildPanels();
  void DesignPanelTerminal();
  void DesignPanelPV();
  void DesignPanelLoad();
  void DesignPanelBattery();
  void DesignPanelSite();
  void DesignGauge(ui::PictureBox& picture, ui::Label& caption, const char* caption_text,
                   ui::TextBox& value, const char* value_text, ui::Label& column,
                   const char* scale, int column_top, int column_height);

  Console& c_;
};

}  // namespace app
