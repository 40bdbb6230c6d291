#include "alarm_windows.h"

#include "app/console.h"
#include "app/frm_alarm.h"

namespace testkit {

std::vector<app::frmAlarm*> AlarmWindows(const app::Console& c) {
  std::vector<app::frmAlarm*> windows;
  for (ui::Form* f : c.AllForms())
    if (f->Name() == "frmAlarm" && f->IsLoaded()) windows.push_back(static_cast<app::frmAlarm*>(f));
  return windows;
}

}  // namespace testkit
