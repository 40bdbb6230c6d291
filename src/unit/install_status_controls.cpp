#include "unit/install_status_controls.h"

namespace unit {

InstallStatusControls::InstallStatusControls(ui::Form&, InstallPages&) {}

}  // namespace unit
