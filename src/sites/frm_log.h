// The data-log window: the daily log records of one site over the last
// year, one line per day (filled by FillDataLogList, sites/data_log_list.h).
#pragma once

#include <array>
#include <string>

#include "ui/controls.h"

namespace app {
class Console;
}

namespace sites {

// An extreme no listed record has set yet.
inline constexpr float kUnsetExtreme = -999.0f;
// LogExtremes(1..16); index 0 is not used.
using LogExtremeTable = std::array<float, 17>;

class frmLog : public ui::Form {
 public:
  explicit frmLog(app::Console& c);

  ui::TextBox txtSite{*this, "txtSite"};
  ui::ListView lstLog{*this, "lstLog"};
  ui::CommandButton cmdClose{*this, "cmdClose"};

  // Per list column, the largest value of a maximum column and the smallest
  // of a minimum column; both for the two amp-hour columns (13/14 and 15/16).
  LogExtremeTable LogExtremes{};

  // The name of the site whose log is listed, shown in txtSite.
  void ShowSite(const std::string& name);
  void cmdClose_Click();

 protected:
  void Design() override;
  void Form_Activate() override;
  void Form_Unload(int& cancel) override;

 private:
  app::Console& c_;
  std::string site_name_;
};

}  // namespace sites
