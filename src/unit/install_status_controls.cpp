#include "unit/install_status_controls.h"

#include <string>
#include <utility>

#include "common/shared_state.h"
#include "common/vb.h"

namespace unit {

namespace {

// Layout of the Status page, in twips.
constexpr int kMargin = 120;
constexpr int kRowHeight = 315;
constexpr int kCaptionHeight = 225;
constexpr int kLampSize = 240;

// Clock band: seven columns of caption, value, spinner and send button.
constexpr int kClockTop = 120;
constexpr int kClockColumnPitch = 1080;
constexpr int kDateTextWidth = 480;
constexpr int kSpinnerWidth = 255;
constexpr int kSendWidth = 270;

// Measurement band: two columns of caption and value, then the lamps.
constexpr int kMeasureTop = 1560;
constexpr int kMeasureRowPitch = 390;
constexpr int kCaptionWidth = 1680;
constexpr int kValueWidth = 1200;
constexpr int kColumnA = kMargin;
constexpr int kColumnB = 3300;
constexpr int kColumnLamps = 6480;

void Place(ui::Control& control, ui::Frame& page, int left, int top, int width, int height) {
  control.SetContainer(&page);
  control.Move(left, top, width, height);
}

void Caption(ui::Label& label, ui::Frame& page, const char* text, int left, int top,
             int width) {
  label.Caption = text;
  label.Transparent = true;
  Place(label, page, left, top, width, kCaptionHeight);
}

// A value shown to the operator, not typed by them.
void Value(ui::TextBox& box, ui::Frame& page, int left, int top, int width = kValueWidth) {
  box.Locked = true;
  box.Alignment = ui::vbRightJustify;
  Place(box, page, left, top, width, kRowHeight);
}

void Lamp(ui::Image& lamp, const char* picture, ui::Frame& page, int left, int top) {
  lamp.Picture = ui::Picture::Named(picture);
  lamp.Stretch = true;
  Place(lamp, page, left, top, kLampSize, kLampSize);
}

}  // namespace

InstallStatusControls::InstallStatusControls(ui::Form& f, InstallPages& pages)
    : status_form_(f) {
  ui::Frame& status = pages.fInstall[kPageStatus];
  PlaceClock(status);
  PlaceMeasurements(status);
  PlaceLamps(status);
  PlaceSourcePictures(pages.fInstall[kPageControls]);

  cmdUpdate.Caption = "&Update";
  cmdUpdate.BackColor = kUpdateButtonGrey;
  Place(cmdUpdate, status, kColumnA, 4440, 1500, 420);
}

void InstallStatusControls::PlaceClock(ui::Frame& page) {
  static constexpr const char* kFieldNames[kDateFieldCount] = {
      "Year", "Month", "Day", "Hour", "Minute", "Second", "Weekday"};
  static constexpr const char* kSendTags[kDateFieldCount] = {"Y", "M", "D", "h", "m", "s", "d"};

  Caption(lblClock, page, "Unit clock", kMargin, kClockTop, 3000);
  lblClock.FontBold = true;
  const int caption_top = kClockTop + 270;
  const int field_top = caption_top + 240;
  for (int i = 0; i < kDateFieldCount; ++i) {
    const int left = kMargin + i * kClockColumnPitch;
    Caption(lblDateField.Load(i), page, kFieldNames[i], left, caption_top, kClockColumnPitch - 60);

    ui::TextBox& text = i == kWeekdayField ? txtDay : txtDate.Load(i);
    text.Locked = true;
    text.Alignment = ui::vbCenter;
    Place(text, page, left, field_top, kDateTextWidth, kRowHeight);

    ui::UpDown& spinner = udDate.Load(i);
    spinner.Min = kDateFieldMin[i];
    spinner.Max = kDateFieldMax[i];
    spinner.Value = kDateFieldMin[i];
    Place(spinner, page, left + kDateTextWidth, field_top, kSpinnerWidth, kRowHeight);
    spinner.Change = [this, i] { ShowDateField(i); };
    ShowDateField(i);

    ui::CommandButton& send = cmdSendDate.Load(i);
    send.Caption = "S";
    send.Tag = kSendTags[i];
    send.Visible = false;
    Place(send, page, left + kDateTextWidth + kSpinnerWidth + 15, field_top, kSendWidth,
          kRowHeight);
  }

  const int received_top = field_top + kRowHeight + 150;
  Caption(lblStatusDate, page, "Unit date:", kMargin, received_top + 45, 900);
  Value(txtStatusDate, page, kMargin + 900, received_top, 1500);
  Caption(lblTime, page, "Unit time:", kMargin + 2640, received_top + 45, 900);
  Value(txtTime, page, kMargin + 3540, received_top, 1500);
}

void InstallStatusControls::PlaceMeasurements(ui::Frame& page) {
  Caption(lblMeasurements, page, "Measurements", kMargin, kMeasureTop, 3000);
  lblMeasurements.FontBold = true;
  struct Row {
    ui::Label& caption;
    const char* text;
    ui::TextBox* box;  // nullptr: the row holds the equalisation lamp
  };
  const Row column_a[] = {
      {lblBattVolts, "Battery voltage (V):", &txtBattVolts},
      {lblCurrentPV, "PV current (A):", &txtCurrentPV},
      {lblCurrentLoad, "Load current (A):", &txtCurrentLoad},
      {lblAmpsNet, "Net current (A):", &txtAmpsNet},
      {lblTempBatt, "Battery temp.:", &txtTempBatt},
      {lblTempUnit, "Unit temp.:", &txtTempUnit},
  };
  const Row column_b[] = {
      {lblSOC, "State of charge (%):", &txtSOC},
      {lblAHnet, "Net AH:", &txtAHnet},
      {lblAHin, "AH in:", &txtAHin},
      {lblAHout, "AH out:", &txtAHout},
      {lblLoadHours, "Load hours:", &txtLoadHours},
      {lblEqualize, "Equalization:", nullptr},
  };
  const int first_row = kMeasureTop + 300;
  for (const auto& [rows, left] : {std::pair{column_a, kColumnA}, std::pair{column_b, kColumnB}}) {
    for (int r = 0; r < 6; ++r) {
      const int top = first_row + r * kMeasureRowPitch;
      Caption(rows[r].caption, page, rows[r].text, left, top + 45, kCaptionWidth);
      if (rows[r].box != nullptr) {
        rows[r].box->Text = "";
        Value(*rows[r].box, page, left + kCaptionWidth, top);
      }
    }
  }
  const int eq_top = first_row + 5 * kMeasureRowPitch;
  Lamp(imgEQU, "GreenOff", page, kColumnB + kCaptionWidth, eq_top + 37);
  lblEqState.Caption = "Off";
  lblEqState.Transparent = true;
  Place(lblEqState, page, kColumnB + kCaptionWidth + kLampSize + 90, eq_top + 45, 1000,
        kCaptionHeight);
}

void InstallStatusControls::PlaceLamps(ui::Frame& page) {
  Caption(lblLamps, page, "Relays and alarms", kColumnLamps, kMeasureTop, 2800);
  lblLamps.FontBold = true;
  struct Row {
    ui::Image& lamp;
    const char* off_picture;
    ui::Label& caption;
    const char* text;
  };
  const Row rows[] = {
      {imgPV1, "GreenOff", lblPV1, "PV relay 1"},
      {imgPV2, "GreenOff", lblPV2, "PV relay 2"},
      {imgLoad1, "GreenOff", lblLoad1, "Load relay 1"},
      {imgHVA, "RedOff", lblHVA, "High voltage alarm"},
      {imgLVA, "RedOff", lblLVA, "Low voltage alarm"},
      {imgGEN, "GreenOff", lblGEN, "Aux relay:"},
  };
  const int first_row = kMeasureTop + 300;
  for (int r = 0; r < 6; ++r) {
    const int top = first_row + r * kMeasureRowPitch;
    Lamp(rows[r].lamp, rows[r].off_picture, page, kColumnLamps, top + 37);
    // The auxiliary relay's own name (GEN, CP ...) follows its caption.
    const int width = &rows[r].lamp == &imgGEN ? 960 : 2400;
    Caption(rows[r].caption, page, rows[r].text, kColumnLamps + kLampSize + 120, top + 45, width);
  }
}

void InstallStatusControls::PlaceSourcePictures(ui::Frame& page) {
  struct Source {
    ui::Image& image;
    const char* picture;
  };
  const Source sources[] = {
      {imgGreenOn, "GreenOn"}, {imgGreenOff, "GreenOff"}, {imgRedOn, "RedOn"},
      {imgRedOff, "RedOff"},   {imgLightOn, "LightOn"},   {imgLightOff, "LightOff"},
  };
  int left = kMargin;
  for (const Source& s : sources) {
    Lamp(s.image, s.picture, page, left, 6240);
    s.image.Visible = false;
    left += kLampSize + 60;
  }
}

void InstallStatusControls::ShowDateField(int index) {
  const int value = udDate[index].Value();
  if (index == kWeekdayField) {
    if (value >= 0 && value <= 6) txtDay.Text = common::DayName[static_cast<size_t>(value)];
    return;
  }
  const std::string digits = vb::CStr(value);
  txtDate[index].Text = digits.size() == 1 ? "0" + digits : digits;
}

}  // namespace unit
