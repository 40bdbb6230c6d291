#include "unit/install_parameter_controls.h"

namespace unit {

InstallParameterControls::InstallParameterControls(ui::Form&, InstallPages&) {}

}  // namespace unit
