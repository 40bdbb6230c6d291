// The live status fields of the installation screen that the status parsers
// fill: clock and date fields, measurements, lamps and their source pictures.
#pragma once

#include "ui/controls.h"
#include "unit/install_pages.h"

namespace unit {

struct InstallStatusControls {
  InstallStatusControls(ui::Form& f, InstallPages& pages);
};

}  // namespace unit
