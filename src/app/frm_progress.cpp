#include "app/frm_progress.h"

#include <initializer_list>
#include <string>
#include <utility>

#include "app/console.h"
#include "common/vb.h"
#include "link/command_gate.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/modem_call.h"
#include "link/settings_access.h"
#include "link/v4_link.h"
#include "unit/frm_install.h"

namespace app {

namespace {

// Layout, in twips.
constexpr int kFormWidth = 7800;
constexpr int kPanelLeft = 120;
constexpr int kPanelTop = 600;
constexpr int kPanelWidth = 7440;
constexpr int kPanelHeight = 3840;
constexpr int kRowHeight = 315;
constexpr int kCaptionHeight = 225;
constexpr int kValueLeft = 4560;  // value boxes of the PV, Load and Battery panels
constexpr int kValueWidth = 1200;
constexpr int kLampSize = 300;
// Every panel keeps its picture in the same corner.
constexpr int kPictureLeft = 6000;
constexpr int kPictureTop = 2280;
constexpr int kPictureSize = 1200;

// Gauge pictures: the column's rectangle is fixed (the scale is drawn into it).
constexpr int kGaugeWidth = 1635;
constexpr int kColumnLeft = 645;
constexpr int kColumnWidth = 345;

const char* const kDegrees = " \xBA" "C";

void CaptionLabel(ui::Label& label, const char* text, int left, int top, int width) {
  label.Caption = text;
  label.Transparent = true;
  label.Move(left, top, width, kCaptionHeight);
}

void ValueBox(ui::TextBox& box, const std::string& text, int left, int top,
              int width = kValueWidth) {
  box.Text = text;
  box.Locked = true;
  box.Alignment = ui::vbRightJustify;
  box.Move(left, top, width, kRowHeight);
}

// A relay lamp with its number under it.
void RelayLamp(ui::Image& lamp, ui::Label& number, const char* text, int left) {
  lamp.Picture = ui::Picture::Named("GreenOff");
  lamp.Stretch = true;
  lamp.Move(left, 480, kLampSize, kLampSize);
  number.Caption = text;
  number.Alignment = ui::vbCenter;
  number.Transparent = true;
  number.Move(left, 840, kLampSize, kCaptionHeight);
}

void PanelPicture(ui::Image& image, const char* picture) {
  image.Picture = ui::Picture::Named(picture);
  image.Stretch = true;
  image.Move(kPictureLeft, kPictureTop, kPictureSize, kPictureSize);
}

}  // namespace

frmProgress::frmProgress(Console& c) : ui::Form(c.rt, "frmProgress"), c_(c) {
  SetMDIChild();
  BuildPanels();
  cmdUpdate.Click = lnk::Gated(c_, [this] { cmdUpdate_Click(); });
  cmdDisconnect.Click = [this] { cmdDisconnect_Click(); };
  cmdSavePos.Click = [this] { cmdSavePos_Click(); };
}

// Panels, their option buttons and which panel holds which control; the
// geometry and texts are design values (Design).
void frmProgress::BuildPanels() {
  for (int i = 0; i < kPanelCount; ++i) {
    fDisplay.Load(i);
    optDisplay.Load(i).Click = [this, i] { optDisplay_Click(i); };
  }
  txtLog.SetContainer(&fDisplay[kPanelTerminal]);

  ui::Frame& pv = fDisplay[kPanelPV];
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           &Frame7, &lblCurrentPV, &txtCurrentPV, &lblAHout, &txtAHout, &Image2})
    control->SetContainer(&pv);
  imgPV1.SetContainer(&Frame7);
  imgPV2.SetContainer(&Frame7);
  lblRelay.Load(38, &Frame7);
  lblRelay.Load(39, &Frame7);

  ui::Frame& load = fDisplay[kPanelLoad];
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           &Frame8, &lblCurrentLoad, &txtCurrentLoad, &lblAHin, &txtAHin, &Image3})
    control->SetContainer(&load);
  imgLoad1.SetContainer(&Frame8);
  lblRelay.Load(47, &Frame8);

  ui::Frame& battery = fDisplay[kPanelBattery];
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           &lblSOC, &txtSOC, &picVoltsBatt, &picTempBatt, &lblAmpsNet, &txtAmpsNet, &lblAHnet,
           &txtAHnet, &Image4})
    control->SetContainer(&battery);
  for (ui::Control* control :
       std::initializer_list<ui::Control*>{&lblVoltsCaption, &txtVoltsBatt, &lblVoltsBatt})
    control->SetContainer(&picVoltsBatt);
  for (ui::Control* control :
       std::initializer_list<ui::Control*>{&lblTempBattCaption, &txtTempBatt, &lblTempBatt})
    control->SetContainer(&picTempBatt);

  ui::Frame& site = fDisplay[kPanelSite];
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           &picTempCont, &txtName, &lblTime, &txtTime, &lblDate, &txtDate, &Image5})
    control->SetContainer(&site);
  for (ui::Control* control :
       std::initializer_list<ui::Control*>{&lblTempContCaption, &txtTempController, &lblTempCont})
    control->SetContainer(&picTempCont);
}

void frmProgress::Design() {
  Caption = "Online";
  BorderStyle = ui::vbFixedSingle;
  Move(0, 0, kFormWidth, 6000);

  static constexpr const char* kOptionCaptions[kPanelCount] = {"&Terminal", "&PV", "&Load",
                                                                "&Battery", "&Site"};
  fOption.Caption = "";
  fOption.Move(kPanelLeft, 60, kPanelWidth, 480);
  for (int i = 0; i < kPanelCount; ++i) {
    optDisplay[i].Caption = kOptionCaptions[i];
    optDisplay[i].Move(240 + i * 1440, 150, 1320, 255);
    fDisplay[i].Caption = "";
    fDisplay[i].Move(kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);
    fDisplay[i].Visible = i == kPanelTerminal;
  }
  optDisplay[kPanelTerminal].Value = true;

  DesignPanelTerminal();
  DesignPanelPV();
  DesignPanelLoad();
  DesignPanelBattery();
  DesignPanelSite();

  const int status_top = kPanelTop + kPanelHeight + 120;
  lblStatus.Caption = "Status:";
  lblStatus.Transparent = true;
  lblStatus.Move(kPanelLeft, status_top + 45, 720, kCaptionHeight);
  txtStatus.Locked = true;
  txtStatus.Move(840, status_top, kPanelWidth - 720, kRowHeight);

  const int button_top = status_top + kRowHeight + 120;
  cmdUpdate.Caption = "&Update";
  cmdUpdate.BackColor = kUpdateIdleColor;
  cmdUpdate.Move(kPanelLeft, button_top, 1500, 420);
  cmdDisconnect.Caption = "&Disconnect";
  cmdDisconnect.Move(kPanelLeft + 1620, button_top, 1500, 420);
  cmdSavePos.Caption = "&Save Window Position";
  cmdSavePos.Move(kPanelLeft + kPanelWidth - 2400, button_top, 2400, 420);
}

void frmProgress::DesignPanelTerminal() {
  txtLog.MultiLine = true;
  txtLog.Locked = true;
  txtLog.Move(120, 240, kPanelWidth - 240, kPanelHeight - 360);
}

void frmProgress::DesignPanelPV() {
  Frame7.Caption = "PV";
  Frame7.Move(240, 300, 1920, 1320);
  RelayLamp(imgPV1, lblRelay[39], "1", 420);
  RelayLamp(imgPV2, lblRelay[38], "2", 1200);

  CaptionLabel(lblCurrentPV, "PV Current (A):", 2400, 465, 2040);
  ValueBox(txtCurrentPV, "---", kValueLeft, 420);
  CaptionLabel(lblAHout, "PV AH:", 2400, 945, 2040);
  ValueBox(txtAHout, "---", kValueLeft, 900);
  PanelPicture(Image2, "PanelPV");
}

void frmProgress::DesignPanelLoad() {
  Frame8.Caption = "Load";
  Frame8.Move(240, 300, 1920, 1320);
  RelayLamp(imgLoad1, lblRelay[47], "1", 810);

  CaptionLabel(lblCurrentLoad, "Load Current (A):", 2400, 465, 2040);
  ValueBox(txtCurrentLoad, "---", kValueLeft, 420);
  CaptionLabel(lblAHin, "Load AmpHours (AH):", 2400, 945, 2040);
  ValueBox(txtAHin, "---", kValueLeft, 900);
  PanelPicture(Image3, "PanelLoad");
}

void frmProgress::DesignGauge(ui::PictureBox& picture, ui::Label& caption,
                              const char* caption_text, ui::TextBox& value,
                              const char* value_text, ui::Label& column, const char* scale,
                              int column_top, int column_height) {
  picture.BackColor = ui::kSystemButtonFace;
  caption.Caption = caption_text;
  caption.Transparent = true;
  caption.Alignment = ui::vbCenter;
  caption.FontBold = true;
  caption.Move(60, 60, kGaugeWidth - 150, kCaptionHeight);
  value.Text = value_text;
  value.Locked = true;
  value.Alignment = ui::vbCenter;
  value.Move(300, 390, kGaugeWidth - 630, kRowHeight);
  // The column lies over the picture's drawing: no text, no fill.
  column.Caption = "";
  column.Transparent = true;
  column.BorderStyle = 0;
  column.Tag = scale;
  column.Move(kColumnLeft, column_top, kColumnWidth, column_height);
}

void frmProgress::DesignPanelBattery() {
  picVoltsBatt.Move(240, 240, kGaugeWidth, 2760);
  DesignGauge(picVoltsBatt, lblVoltsCaption, "Volts", txtVoltsBatt, "---", lblVoltsBatt,
              "60,54,36,0", 840, 1785);
  picTempBatt.Move(2040, 240, kGaugeWidth, 2415);
  DesignGauge(picTempBatt, lblTempBattCaption, "T batt", txtTempBatt,
              (std::string("0") + kDegrees).c_str(), lblTempBatt, "60,40,0,-20", 840, 1455);

  constexpr int kLabelLeft = 3900;
  constexpr int kBoxLeft = 5400;
  CaptionLabel(lblSOC, "SOC %:", kLabelLeft, 465, 1440);
  ValueBox(txtSOC, "---", kBoxLeft, 420);
  CaptionLabel(lblAmpsNet, "Net Amps:", kLabelLeft, 945, 1440);
  ValueBox(txtAmpsNet, "0.0", kBoxLeft, 900);
  CaptionLabel(lblAHnet, "Net AH:", kLabelLeft, 1425, 1440);
  ValueBox(txtAHnet, "0.0", kBoxLeft, 1380);
  PanelPicture(Image4, "PanelBattery");
}

void frmProgress::DesignPanelSite() {
  picTempCont.Move(240, 240, kGaugeWidth, 2400);
  DesignGauge(picTempCont, lblTempContCaption, "T unit", txtTempController,
              (std::string("0") + kDegrees).c_str(), lblTempCont, "60,40,0,-20", 825, 1455);

  txtName.Text = "Site name";
  txtName.Locked = true;
  txtName.Move(2040, 420, kPanelWidth - 2280, kRowHeight);
  CaptionLabel(lblTime, "Time:", 2040, 945, 900);
  ValueBox(txtTime, "00 : 00 : 00", 2940, 900, 1500);
  txtTime.Alignment = ui::vbCenter;
  CaptionLabel(lblDate, "Date:", 2040, 1425, 900);
  ValueBox(txtDate, "99 / 01 / 01", 2940, 1380, 1500);
  txtDate.Alignment = ui::vbCenter;
  PanelPicture(Image5, "PanelSite");
}

void frmProgress::optDisplay_Click(int Index) {
  // Only the five panels exist; any other index leaves the window as it is.
  if (!fDisplay.Exists(Index)) return;
  for (int i = 0; i < kPanelCount; ++i) fDisplay[i].Visible = false;
  fDisplay[Index].Visible = true;
}

void frmProgress::cmdUpdate_Click() {
  // Green until the status parsers have read the new status.
  cmdUpdate.BackColor = kUpdateBusyColor;
  auto& st = c_.st;
  if (st.V4Mode) {
    c_.Get<unit::frmInstall>().cmdUpdate.Enabled = false;
    st.V4RetryCount = 0;
    st.RetryCount = 0;
    st.CmdState = lnk::kV4Dump;
    st.AutoNext = false;
    lnk::SendV4Packet(c_, st.UnitAddress, "D");
  } else {
    st.AutoNext = true;  // "U", then "V"
    st.CmdState = lnk::kStatusU;
    lnk::SendCommand(c_);
  }
}

void frmProgress::cmdDisconnect_Click() {
  if (!c_.st.Online) return;  // nothing to hang up
  lnk::HangUpOnline(c_);
}

void frmProgress::cmdSavePos_Click() {
  auto& settings = c_.settings;
  for (const auto& [name, value] : {std::pair{"frmProgress.Left", Left()},
                                    std::pair{"frmProgress.Top", Top()}}) {
    if (lnk::FindSetting(c_, name) == 0) continue;  // reported by the lookup
    settings.Current().SettingValue = static_cast<float>(value);
    settings.SettingNumToText();
  }
}

void frmProgress::Form_Load() {
  Left = vb::CLng(lnk::SettingValue(c_, "frmProgress.Left"));
  Top = vb::CLng(lnk::SettingValue(c_, "frmProgress.Top"));
}

void frmProgress::Form_Activate() {
  if (!c_.st.Online) return;
  cmdUpdate.Enabled = true;
  cmdDisconnect.Enabled = true;
}

}  // namespace app
