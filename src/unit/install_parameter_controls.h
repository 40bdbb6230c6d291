// The parameter rows of the installation screen: the control arrays udProp,
// txtProp, cmdProp and lblProp indexed by parameter address, the Memory
// page's grid, and the battery capacity editor.
#pragma once

#include "ui/controls.h"
#include "unit/install_pages.h"

namespace unit {

struct InstallParameterControls {
  InstallParameterControls(ui::Form& f, InstallPages& pages);
};

}  // namespace unit
