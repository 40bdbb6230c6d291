// The automatic callout run: the schedule, the site being called, and the
// hang-up of a run's session once the unit's status has been read.
#pragma once

#include <string>

#include "common/vb_date.h"

namespace app {

class Console;

// The schedule matches at hour:minute on the days named in `days` (English
// day names run together, "MondayFriday"), or on every day. The day is
// taken by its number, so the computer's language cannot change the match.
bool CalloutDue(vb::DateTime now, double hour, double minute, bool all_days, const std::string& days);

// rsCallout's current site becomes the called site: the dial command, the
// selected site's id, name, unit and customer numbers; its icon is redrawn.
void TakeCalloutSite(Console& c);

// A run's session ends once the called unit's status has been read (the
// status reply, or the V4 dump that carries it): the console hangs up as the
// online window's Disconnect does, and the run goes on with its next site.
void HangUpCalloutSession(Console& c);

}  // namespace app
