#include "sample_form.h"

namespace qttest {

SampleForm::SampleForm(ui::Runtime& rt) : ui::Form(rt, "frmSample") {
  imgLamp.OnLoaded = [this](ui::Image& lamp, int index) {
    const std::string name = "imgLamp(" + std::to_string(index) + ").";
    lamp.Click = [this, name] { events.push_back(name + "Click"); };
    lamp.DblClick = [this, name] { events.push_back(name + "DblClick"); };
    lamp.MouseDown = [this, name](int button, int, double, double) {
      events.push_back(name + "MouseDown " + std::to_string(button));
    };
  };
  BindEvents();
}

void SampleForm::Design() {
  Caption = "Sample Site \xBA Overview";
  Move(0, 0, 10560, 8520);
  DesignBars();
  DesignFrames();
  DesignLists();

  txtLog.MultiLine.Init(true);
  txtLog.Move(120, 4680, 6960, 1500);
  txtLog.Locked = true;
  txtLog.Text = "10:00:01 Dialling 555-0100\r\n10:00:19 CONNECT 9600\r\n10:00:20 Unit 07 found\r\n";

  cmdOK.Caption = "OK";
  cmdOK.Default = true;
  cmdOK.Move(7200, 4680, 1440, 375);
  cmdCancel.Caption = "Cancel";
  cmdCancel.Cancel = true;
  cmdCancel.Move(8820, 4680, 1440, 375);
  cmdColor.Caption = "&Acknowledge Alarm";
  cmdColor.BackColor = ui::RGB(255, 214, 120);
  cmdColor.Move(7200, 5160, 3060, 375);
  tmrPoll.Interval = 0;
}

void SampleForm::DesignBars() {
  mnuFile.Caption = "&File";
  mnuOpen.Caption = "&Open...";
  mnuOpen.Shortcut = "Ctrl+O";
  mnuFileBreak.Caption = "-";
  mnuExit.Caption = "E&xit";
  mnuView.Caption = "&View";
  mnuLamps.Caption = "&Lamps";
  mnuLamps.Checked = true;
  mnuHidden.Caption = "Hidden";
  mnuHidden.Visible = false;
  mnuHiddenItem.Caption = "Item";

  if (tbTools.ButtonCount() == 0) {
    struct Button {
      const char* key;
      const char* caption;
      int style;
      const char* image;
    };
    const Button buttons[] = {
        {"Connect", "Connect", ui::tbrDefault, "Connect"},
        {"Hangup", "Hang up", ui::tbrDefault, "Hangup"},
        {"Site", "Si&te", ui::tbrDefault, "Site"},
        {"", "", ui::tbrSeparator, ""},
        {"Status", "&Status", ui::tbrDefault, "StatusL"},
        {"Memory", "M&emory", ui::tbrDefault, "Memory"},
        {"Install", "&Install", ui::tbrDefault, "InstallU"},
        {"Factory", "F&actory", ui::tbrDefault, "FactoryL"},
        {"", "", ui::tbrSeparator, ""},
        {"Log", "&Log", ui::tbrDefault, "Log"},
        {"Map", "Map", ui::tbrCheck, "Map"},
        {"Magnify", "&Magnify", ui::tbrDefault, "Magnify"},
    };
    for (const Button& b : buttons) tbTools.AddButton(b.key, b.caption, b.style, b.image);
    sbStatus.Panels(1).Text = "Connected to Mill Creek (unit 07)";
    sbStatus.AddPanel().Width = 1800;
    sbStatus.Panels(2).Text = "COM1  9600,n,8,1";
  }
}

void SampleForm::DesignFrames() {
  fraLink.Caption = "Connection";
  fraLink.Move(120, 120, 3360, 1560);
  optDirect.Caption = "&Direct cable";
  optDirect.Move(240, 330, 2900, 270);
  optDirect.Value = true;
  optModem.Caption = "&Modem";
  optModem.Move(240, 630, 2900, 270);
  optNet.Caption = "&Network (TCP)";
  optNet.Move(240, 930, 2900, 270);
  chkAnswer.Caption = "&Auto answer";
  chkAnswer.Move(240, 1230, 2900, 270);
  chkAnswer.Value = ui::vbChecked;

  fraValues.Caption = "Values";
  fraValues.Move(3600, 120, 3480, 1560);
  lblVolt.Caption = "Battery volts:";
  lblVolt.Move(180, 375, 1500, 255);
  txtVolt.Text = "26.4";
  txtVolt.Alignment = ui::vbRightJustify;
  txtVolt.Move(1740, 330, 900, 315);
  udVolt.Move(2640, 330, 255, 315);
  udVolt.Min = 0;
  udVolt.Max = 100;
  udVolt.Value = 50;
  lblRate.Caption = "Baud &rate:";
  lblRate.Move(180, 780, 1500, 255);
  cboRate.Style = ui::vbComboDropdownList;
  cboRate.Move(1740, 735, 1155, 315);
  if (cboRate.ListCount() == 0)
    for (const char* rate : {"1200", "2400", "9600", "19200"}) cboRate.AddItem(rate);
  cboRate.ListIndex = 2;
  prgRead.Move(180, 1200, 3120, 210);
  prgRead.Value = 60;

  fraLamps.Caption = "Lamps";
  fraLamps.Move(7200, 120, 3060, 1560);
  shpPanel.ShapeKind = ui::vbShapeRoundedRectangle;
  shpPanel.BorderColor = ui::RGB(150, 150, 150);
  shpPanel.FillColor = ui::RGB(250, 250, 245);
  shpPanel.Filled = true;
  shpPanel.Move(150, 300, 2760, 780);
  const char* lamps[] = {"GreenOn", "GreenOff", "RedOn", "RedOff"};
  const char* names[] = {"Grid", "Solar", "Alarm", "Load"};
  for (int i = 0; i < 4; ++i) {
    ui::Image& lamp = imgLamp.Load(i);
    lamp.Picture = ui::Picture::Named(lamps[i]);
    lamp.Move(480 + i * 660, 390, 240, 240);
    ui::Label& label = lblLamp.Load(i);
    label.Caption = names[i];
    label.Alignment = ui::vbCenter;
    label.Transparent = true;
    label.Move(270 + i * 660, 690, 660, 255);
  }
  linSep.X1 = 150;
  linSep.Y1 = 1170;
  linSep.X2 = 2910;
  linSep.Y2 = 1170;
  linSep.BorderColor = ui::RGB(128, 128, 128);
  lblNote.Caption = "Lamps show the last status read.";
  lblNote.Move(150, 1230, 2760, 255);
}

void SampleForm::DesignLists() {
  tabPages.Move(120, 1800, 6960, 2760);
  if (tabPages.TabCount() == 0)
    for (const char* tab : {"Status", "Memory", "Install"}) tabPages.AddTab(tab);
  picGraph.Move(120, 450, 4200, 2190);
  picGraph.BackColor = ui::vbWhite;
  lstSites.Move(4440, 450, 2400, 2190);
  if (lstSites.ListCount() == 0)
    for (const char* site : {"Mill Creek", "North Ridge", "Pine Hollow", "Stone Bridge"})
      lstSites.AddItem(site);
  lstSites.ListIndex = 0;
  DrawGraph();

  lvwLog.Move(7200, 1800, 3060, 2760);
  if (lvwLog.ColumnHeaders().empty()) {
    lvwLog.AddColumn("Time", 1200);
    lvwLog.AddColumn("Event", 1800);
    const char* rows[][2] = {{"09:58", "Call in"}, {"10:00", "Status read"},
                             {"10:02", "Low battery"}, {"10:05", "Hang up"}};
    for (const auto& row : rows) {
      ui::ListItem& item = lvwLog.Add(row[0], row[0]);
      item.sub_items.push_back(row[1]);
    }
    lvwLog.Item(3).fore_color = ui::RGB(200, 0, 0);
    lvwLog.ItemsChanged();
  }
}

// A small bar chart of a day's charge, as a status page draws it.
void SampleForm::DrawGraph() {
  picGraph.Cls();
  picGraph.Line(300, 1950, 4000, 1950, ui::vbBlack);
  picGraph.Line(300, 150, 300, 1950, ui::vbBlack);
  const int values[] = {35, 55, 80, 95, 70, 45, 30, 60};
  for (int i = 0; i < 8; ++i) {
    const double left = 420 + i * 440;
    const double top = 1950 - values[i] * 17;
    picGraph.Box(left, top, left + 300, 1935, values[i] > 75 ? ui::RGB(60, 160, 80) : ui::RGB(70, 120, 210), true);
  }
  picGraph.FilledCircle(3600, 450, 150, ui::vbBlack, ui::vbYellow);
  picGraph.CurrentX = 450;
  picGraph.CurrentY = 150;
  picGraph.Print("Charge (Ah) by hour");
}

void SampleForm::BindEvents() {
  auto record = [this](const char* what) { return [this, what] { events.push_back(what); }; };
  mnuOpen.Click = record("mnuOpen.Click");
  mnuExit.Click = record("mnuExit.Click");
  mnuLamps.Click = [this] {
    events.push_back("mnuLamps.Click");
    mnuLamps.Checked = !mnuLamps.Checked();
  };
  tbTools.ButtonClick = [this](ui::ToolbarButton& b) { events.push_back("tbTools.ButtonClick " + b.Key()); };
  optDirect.Click = record("optDirect.Click");
  optModem.Click = record("optModem.Click");
  optNet.Click = record("optNet.Click");
  chkAnswer.Click = record("chkAnswer.Click");
  txtVolt.Change = record("txtVolt.Change");
  txtVolt.KeyPress = [this](int& key) {
    // Digits, the point and backspace only, as the value boxes do.
    if (!((key >= '0' && key <= '9') || key == '.' || key == 8)) key = 0;
  };
  udVolt.Change = record("udVolt.Change");
  udVolt.UpClick = record("udVolt.UpClick");
  udVolt.DownClick = record("udVolt.DownClick");
  cboRate.Click = record("cboRate.Click");
  lstSites.Click = record("lstSites.Click");
  lstSites.DblClick = record("lstSites.DblClick");
  lvwLog.ItemClick = [this](ui::ListItem& item) { events.push_back("lvwLog.ItemClick " + item.key); };
  tabPages.Click = record("tabPages.Click");
  picGraph.MouseDown = [this](int button, int shift, double x, double y) {
    events.push_back("picGraph.MouseDown " + std::to_string(button) + " " + std::to_string(shift) +
                     " " + std::to_string(static_cast<int>(x)) + " " +
                     std::to_string(static_cast<int>(y)));
  };
  auto record_button = [this](const char* what) {
    return [this, what](int button, int, double, double) {
      events.push_back(what + std::string(" ") + std::to_string(button));
    };
  };
  picGraph.MouseUp = record_button("picGraph.MouseUp");
  picGraph.Click = record("picGraph.Click");
  picGraph.DblClick = record("picGraph.DblClick");
  MouseDown = record_button("Form.MouseDown");
  MouseUp = record_button("Form.MouseUp");
  DblClick = record("Form.DblClick");
  lblNote.Click = record("lblNote.Click");
  lblNote.DblClick = record("lblNote.DblClick");
  cmdOK.Click = record("cmdOK.Click");
  cmdCancel.Click = [this] {
    events.push_back("cmdCancel.Click");
    if (cancel_unloads) Unload();
  };
  cmdColor.Click = record("cmdColor.Click");
}

}  // namespace qttest
