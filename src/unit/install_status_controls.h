// The live status fields of the installation screen that the status parsers
// fill: clock and date fields, measurements, lamps and their source pictures.
// They sit on the Status page, except the hidden source pictures, which sit
// on the Controls page.
#pragma once

#include "ui/controls.h"
#include "unit/install_pages.h"

namespace unit {

// Spinner ranges of the clock fields, in udDate order: year, month, day,
// hour, minute, second, weekday.
inline constexpr int kDateFieldCount = 7;
inline constexpr int kWeekdayField = 6;
inline constexpr int kDateFieldMin[kDateFieldCount] = {0, 1, 1, 0, 0, 0, 0};
inline constexpr int kDateFieldMax[kDateFieldCount] = {99, 12, 31, 23, 59, 59, 6};

// Back colour of the screen's Update button at design time (&HC0C0C0).
inline constexpr ui::Color kUpdateButtonGrey = 0x00C0C0C0;

struct InstallStatusControls {
 private:
  ui::Form& status_form_;  // declared first: the controls below are built on it

 public:
  InstallStatusControls(ui::Form& f, InstallPages& pages);

  // Clock and date: udDate(0..6), txtDate(0..5), txtDay, cmdSendDate(0..6).
  ui::ControlArray<ui::UpDown> udDate{status_form_, "udDate"};
  ui::ControlArray<ui::TextBox> txtDate{status_form_, "txtDate"};
  ui::TextBox txtDay{status_form_, "txtDay"};
  ui::ControlArray<ui::CommandButton> cmdSendDate{status_form_, "cmdSendDate"};
  ui::TextBox txtStatusDate{status_form_, "txtStatusDate"};
  ui::TextBox txtTime{status_form_, "txtTime"};

  // Measurements.
  ui::TextBox txtBattVolts{status_form_, "txtBattVolts"};
  ui::TextBox txtCurrentPV{status_form_, "txtCurrentPV"};
  ui::TextBox txtCurrentLoad{status_form_, "txtCurrentLoad"};
  ui::TextBox txtAmpsNet{status_form_, "txtAmpsNet"};
  ui::TextBox txtTempBatt{status_form_, "txtTempBatt"};
  ui::TextBox txtTempUnit{status_form_, "txtTempUnit"};
  ui::TextBox txtSOC{status_form_, "txtSOC"};
  ui::TextBox txtAHnet{status_form_, "txtAHnet"};
  ui::TextBox txtAHin{status_form_, "txtAHin"};
  ui::TextBox txtAHout{status_form_, "txtAHout"};
  ui::TextBox txtLoadHours{status_form_, "txtLoadHours"};
  ui::Label lblEqState{status_form_, "lblEqState"};

  // Lamps.
  ui::Image imgPV1{status_form_, "imgPV1"};
  ui::Image imgLoad1{status_form_, "imgLoad1"};
  ui::Image imgHVA{status_form_, "imgHVA"};
  ui::Image imgLVA{status_form_, "imgLVA"};
  ui::Image imgPV2{status_form_, "imgPV2"};
  ui::Image imgGEN{status_form_, "imgGEN"};
  ui::Image imgEQU{status_form_, "imgEQU"};

  // Hidden source pictures that every lamp copies its picture from.
  ui::Image imgGreenOn{status_form_, "imgGreenOn"};
  ui::Image imgGreenOff{status_form_, "imgGreenOff"};
  ui::Image imgRedOn{status_form_, "imgRedOn"};
  ui::Image imgRedOff{status_form_, "imgRedOff"};
  ui::Image imgLightOn{status_form_, "imgLightOn"};
  ui::Image imgLightOff{status_form_, "imgLightOff"};

  ui::CommandButton cmdUpdate{status_form_, "cmdUpdate"};

  // Captions of the fields (not named by the program; they only explain).
  ui::ControlArray<ui::Label> lblDateField{status_form_, "lblDateField"};
  ui::Label lblClock{status_form_, "lblClock"};
  ui::Label lblStatusDate{status_form_, "lblStatusDate"};
  ui::Label lblTime{status_form_, "lblTime"};
  ui::Label lblMeasurements{status_form_, "lblMeasurements"};
  ui::Label lblBattVolts{status_form_, "lblBattVolts"};
  ui::Label lblCurrentPV{status_form_, "lblCurrentPV"};
  ui::Label lblCurrentLoad{status_form_, "lblCurrentLoad"};
  ui::Label lblAmpsNet{status_form_, "lblAmpsNet"};
  ui::Label lblTempBatt{status_form_, "lblTempBatt"};
  ui::Label lblTempUnit{status_form_, "lblTempUnit"};
  ui::Label lblSOC{status_form_, "lblSOC"};
  ui::Label lblAHnet{status_form_, "lblAHnet"};
  ui::Label lblAHin{status_form_, "lblAHin"};
  ui::Label lblAHout{status_form_, "lblAHout"};
  ui::Label lblLoadHours{status_form_, "lblLoadHours"};
  ui::Label lblEqualize{status_form_, "lblEqualize"};
  ui::Label lblLamps{status_form_, "lblLamps"};
  ui::Label lblPV1{status_form_, "lblPV1"};
  ui::Label lblPV2{status_form_, "lblPV2"};
  ui::Label lblLoad1{status_form_, "lblLoad1"};
  ui::Label lblHVA{status_form_, "lblHVA"};
  ui::Label lblLVA{status_form_, "lblLVA"};
  ui::Label lblGEN{status_form_, "lblGEN"};

  // udDate_Change: the field's text follows its spinner (two digits, or the
  // day name for the weekday).
  void ShowDateField(int index);

 private:
  void PlaceClock(ui::Frame& page);
  void PlaceMeasurements(ui::Frame& page);
  void PlaceLamps(ui::Frame& page);
  void PlaceSourcePictures(ui::Frame& page);
};

}  // namespace unit
