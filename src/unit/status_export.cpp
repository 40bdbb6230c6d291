#include "unit/status_export.h"

#include "app/console.h"
#include "app/frm_progress.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "sites/frm_map.h"
#include "unit/frm_install.h"

namespace unit {

namespace {

// The parameter addresses of lines 1 to 125, in their order: 0 to 226 less
// the addresses the export has never carried.
bool Exported(int a) {
  if ((a >= 6 && a <= 7) || a == 16 || a == 18 || a == 20 || (a >= 50 && a <= 54) ||
      (a >= 62 && a <= 74) || (a >= 78 && a <= 94) || a == 167 || (a >= 172 && a <= 184) ||
      (a >= 188 && a <= 194) || (a >= 197 && a <= 220) || a >= 222)
    return false;
  return !(a >= 100 && a <= 166 && (a - 100) % 6 == 0);  // 100, 106 ... 166
}

std::string TrueFalse(bool on) { return on ? "True" : "False"; }

}  // namespace

std::string StatusExportText(app::Console& c) {
  auto& install = c.Get<frmInstall>();
  auto& progress = c.Get<app::frmProgress>();
  std::string out;
  auto line = [&out](const std::string& text) { out += text + "\r\n"; };
  // Numbers keep the sign position in front, as the export always had them.
  for (int a = 0; a <= 226; ++a) {
    if (!Exported(a)) continue;
    const ui::UpDown* spinner = install.udProp.Find(a);
    line(vb::Str(spinner != nullptr ? spinner->Value() : 0));
  }
  line(install.txtModemInit.Text());
  for (int i = 0; i <= 1; ++i) line(TrueFalse(install.optEqualization[i].Value()));
  for (int i = 0; i <= 5; ++i) line(install.txtDate[i].Text());
  line(install.txtDay.Text());
  for (int i = 0; i <= 1; ++i) line(TrueFalse(install.optAC[i].Value()));
  for (int i = 0; i <= 1; ++i) line(TrueFalse(install.optCallout[i].Value()));
  for (const ui::TextBox* box :
       {&install.txtStatusDate, &install.txtTime, &install.txtSOC, &install.txtAHnet,
        &install.txtTempBatt, &install.txtAHout, &install.txtCurrentLoad, &install.txtAHin,
        &install.txtCurrentPV, &progress.txtAHin, &progress.txtCurrentPV, &progress.txtAHout,
        &progress.txtCurrentLoad, &progress.txtAHnet, &progress.txtAmpsNet,
        &progress.txtVoltsBatt, &progress.txtSOC, &progress.txtTempBatt, &progress.txtName,
        &progress.txtDate, &progress.txtTime, &progress.txtTempController})
    line(box->Text());
  // Six status texts that nothing in the console sets.
  for (int i = 0; i <= 5; ++i) line("");
  return out;
}

void SaveStatusFile(app::Console& c, const std::string& path) {
  // A callout run exports every site it reaches, whether or not the operator
  // opened the map. After a call that never reached its unit the windows
  // still hold the previous site's values under the new site's name: the
  // last whole export stays instead.
  if (!app::MapShown(c) && !c.st.CalloutActive) return;
  if (!c.st.SessionConnected) return;
  if (auto error = platform::WriteWholeFileAtomic(path, StatusExportText(c)))
    c.rt.MsgBox(*error, ui::vbExclamation, app_info::kTitle);
}

}  // namespace unit
