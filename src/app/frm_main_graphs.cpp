// The toolbar's "Graphs" key: the graph window of the listed log, shown and
// unloaded by the one button press.
#include "app/console.h"
#include "app/frm_main.h"
#include "common/app_info.h"
#include "sites/frm_graphs.h"
#include "sites/frm_log.h"

namespace app {

void frmMain::GraphsButton_Click(ui::ToolbarButton& button) {
  if (button.Value() == ui::tbrPressed) {
    button.Value = ui::tbrUnpressed;
    c_.Unload<sites::frmGraphs>();
    return;
  }
  if (c_.Get<sites::frmLog>().lstLog.Count() < 4) {
    c_.rt.MsgBox("Not enough log data values to generate a graph.", ui::vbInformation,
                 app_info::kTitle);
    return;
  }
  button.Value = ui::tbrPressed;
  c_.Get<sites::frmGraphs>().Show();
}

}  // namespace app
