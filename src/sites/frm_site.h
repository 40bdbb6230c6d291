// The site properties dialog: adds a site (AddingSite) or edits the
// selected one: name, unit site number, customer number, how it is reached
// (a telephone number for the modem or a serial port for a direct cable),
// and its position on the map. A saved site is placed on the map shown.
#pragma once

#include "ui/controls.h"

namespace app {
class Console;
}

namespace sites {

class frmSite : public ui::Form {
 public:
  explicit frmSite(app::Console& c);

  ui::Label Label1{*this, "Label1"};
  ui::TextBox txtSiteName{*this, "txtSiteName"};
  ui::Label Label9{*this, "Label9"};
  ui::TextBox txtSiteNum{*this, "txtSiteNum"};
  ui::Label Label10{*this, "Label10"};
  ui::TextBox txtCustSiteNum{*this, "txtCustSiteNum"};
  ui::Frame Frame1{*this, "Frame1"};
  ui::ControlArray<ui::OptionButton> optConn{*this, "optConn", &Frame1};
  ui::Label Label2{*this, "Label2", -1, &Frame1};
  ui::TextBox txtSitePhone{*this, "txtSitePhone", -1, &Frame1};
  ui::Label Label11{*this, "Label11", -1, &Frame1};
  ui::ComboBox cmbComm{*this, "cmbComm", -1, &Frame1};
  // Hidden, and nothing shows it: it carries the site's callout flag through.
  ui::CheckBox chkCallout{*this, "chkCallout"};
  ui::Label Label6{*this, "Label6"};
  ui::TextBox txtLatMin{*this, "txtLatMin"};
  ui::TextBox txtLatSec{*this, "txtLatSec"};
  ui::UpDown UpDown3{*this, "UpDown3"};
  ui::UpDown UpDown4{*this, "UpDown4"};
  ui::Label Label3{*this, "Label3"};
  ui::TextBox txtLonMin{*this, "txtLonMin"};
  ui::TextBox txtLonSec{*this, "txtLonSec"};
  ui::UpDown UpDown1{*this, "UpDown1"};
  ui::UpDown UpDown2{*this, "UpDown2"};
  ui::Label Label4{*this, "Label4"};
  ui::Label Label7{*this, "Label7"};
  ui::Label Label5{*this, "Label5"};
  ui::Label Label8{*this, "Label8"};
  ui::TextBox txtSiteColor{*this, "txtSiteColor"};
  ui::CommandButton cmdOK{*this, "cmdOK"};
  ui::CommandButton cmdCancel{*this, "cmdCancel"};

  // The position boxes are stored by OK: always for a new site, for an
  // edited one only once a spinner arrow was clicked.
  bool PositionChanged = false;

  void cmdOK_Click();
  void cmdCancel_Click();
  void optConn_Click(int Index);
  // Longitude degrees and minutes, latitude degrees and minutes.
  void UpDown1_Change();
  void UpDown2_Change();
  void UpDown3_Change();
  void UpDown4_Change();

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  struct Row;
  // The degree spinner keeps its row's minutes inside the bounds; the
  // minutes spinner keeps itself inside them.
  void DegreesChanged(const Row& row);
  void MinutesChanged(const Row& row);
  // A reason to refuse the typed numbers, or "" when they may be stored.
  std::string RefusalOfNumbers();

  app::Console& c_;
};

}  // namespace sites
