// The site directory: every site of the site table with its address and
// callout state; picking a row selects the site, and the buttons add,
// edit and remove sites.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/controls.h"

namespace app {

class Console;

class frmConnection : public ui::Form {
 public:
  explicit frmConnection(Console& c);

  ui::Label Label1{*this, "Label1"};
  // Report view: "Location", "Phone number", "Callout"; one row per site,
  // keyed "k" & Str(SiteID).
  ui::ListView lstDirectory{*this, "lstDirectory"};
  ui::CommandButton cmdAdd{*this, "cmdAdd"};
  ui::CommandButton cmdRemove{*this, "cmdRemove"};
  ui::CommandButton cmdProperties{*this, "cmdProperties"};
  ui::CommandButton cmdSavePos{*this, "cmdSavePos"};

  void lstDirectory_ItemClick(ui::ListItem& Item);
  void cmdAdd_Click();
  void cmdProperties_Click();
  void cmdRemove_Click();
  void cmdSavePos_Click();

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Activate() override;

 private:
  // The unit and customer numbers of each row, in row order, so that a
  // row picked here selects its site whole.
  struct RowSite {
    std::int16_t site_num = -1;
    std::int32_t cust_num = 0;
  };
  std::vector<RowSite> rows_;
  Console& c_;
};

}  // namespace app
