#include "sites/alarm_report.h"

#include "app/console.h"

namespace sites {

// The alarm window and the site update come with the alarm handling; until
// then a report is taken out of the buffers so it is not read twice.
void ProcessAlarmReport(app::Console& c) {
  c.st.RxBuffer.clear();
  c.st.RxText.clear();
}

}  // namespace sites
