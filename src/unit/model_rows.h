// Rows that depend on the unit's dialect and firmware: shown or hidden after
// every load, so one installation screen serves every model.
#pragma once

namespace app {
class Console;
}

namespace unit {

// Shows (state True) or hides the name label lblProp(labelRow) and the text
// box and up-down of address.
void SetParameterRowState(app::Console& c, int labelRow, int address, bool state);

// V4 units have an Offset and an LVD Delay row and a settable unit address;
// text units have EQU Hours and a modem init string.
void ShowV4ParameterRows(app::Console& c);

// flag True (firmware 40200) hides the generator block everywhere on the
// screen; False shows it.
void ShowModelRows(app::Console& c, bool flag);

}  // namespace unit
