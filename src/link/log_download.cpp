#include "link/log_download.h"

#include "app/console.h"
#include "link/reply_handlers.h"

namespace lnk {

// The log download stores its records with the data-log work; until then
// its two replies end the command like any reply without a handler.
void OnLogPreambleReply(app::Console& c) { EndReply(c); }
void OnLogReply(app::Console& c) { EndReply(c); }

}  // namespace lnk
