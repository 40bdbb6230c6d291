// A window with one control of every kind, laid out like a page of the
// console, whose handlers record the events they see.
#pragma once

#include <string>
#include <vector>

#include "ui/controls.h"

namespace qttest {

class SampleForm : public ui::Form {
 public:
  explicit SampleForm(ui::Runtime& rt);

  ui::Menu mnuFile{*this, "mnuFile"};
  ui::Menu mnuOpen{*this, "mnuOpen", &mnuFile};
  ui::Menu mnuFileBreak{*this, "mnuFileBreak", &mnuFile};
  ui::Menu mnuExit{*this, "mnuExit", &mnuFile};
  ui::Menu mnuView{*this, "mnuView"};
  ui::Menu mnuLamps{*this, "mnuLamps", &mnuView};
  ui::Menu mnuHidden{*this, "mnuHidden"};
  ui::Menu mnuHiddenItem{*this, "mnuHiddenItem", &mnuHidden};

  ui::Toolbar tbTools{*this, "tbTools"};
  ui::StatusBar sbStatus{*this, "sbStatus"};

  ui::Frame fraLink{*this, "fraLink"};
  ui::OptionButton optDirect{*this, "optDirect", -1, &fraLink};
  ui::OptionButton optModem{*this, "optModem", -1, &fraLink};
  ui::OptionButton optNet{*this, "optNet", -1, &fraLink};
  ui::CheckBox chkAnswer{*this, "chkAnswer", -1, &fraLink};

  ui::Frame fraValues{*this, "fraValues"};
  ui::Label lblVolt{*this, "lblVolt", -1, &fraValues};
  ui::TextBox txtVolt{*this, "txtVolt", -1, &fraValues};
  ui::UpDown udVolt{*this, "udVolt", -1, &fraValues};
  ui::Label lblRate{*this, "lblRate", -1, &fraValues};
  ui::ComboBox cboRate{*this, "cboRate", -1, &fraValues};
  ui::ProgressBar prgRead{*this, "prgRead", -1, &fraValues};

  ui::Frame fraLamps{*this, "fraLamps"};
  ui::Shape shpPanel{*this, "shpPanel", -1, &fraLamps};
  ui::ControlArray<ui::Image> imgLamp{*this, "imgLamp", &fraLamps};
  ui::ControlArray<ui::Label> lblLamp{*this, "lblLamp", &fraLamps};
  ui::LineControl linSep{*this, "linSep", -1, &fraLamps};
  ui::Label lblNote{*this, "lblNote", -1, &fraLamps};

  ui::TabStrip tabPages{*this, "tabPages"};
  ui::PictureBox picGraph{*this, "picGraph", -1, &tabPages};
  ui::ListBox lstSites{*this, "lstSites", -1, &tabPages};
  ui::ListView lvwLog{*this, "lvwLog"};

  ui::TextBox txtLog{*this, "txtLog"};
  ui::CommandButton cmdOK{*this, "cmdOK"};
  ui::CommandButton cmdCancel{*this, "cmdCancel"};
  ui::CommandButton cmdColor{*this, "cmdColor"};
  ui::Timer tmrPoll{*this, "tmrPoll"};

  // Labels the tests load and unload at run time.
  ui::ControlArray<ui::Label> lblExtra{*this, "lblExtra"};

  std::vector<std::string> events;  // what the handlers saw, in order
  // Set to make cmdCancel unload the form from its own Click handler.
  bool cancel_unloads = false;

 protected:
  void Design() override;

 private:
  void DesignBars();
  void DesignFrames();
  void DesignLists();
  void DrawGraph();
  void BindEvents();
};

}  // namespace qttest
