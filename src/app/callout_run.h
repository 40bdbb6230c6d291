// The automatic callout run: the schedule, the site being called, the
// hang-up of a run's session once the unit's status has been read, and the
// run's end.
#pragma once

#include <string>
#include <string_view>

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

// Dials the run's current site (its first one sets the modem up not to
// answer calls); a port that cannot be opened ends the run early, since no
// site of it can be called.
void DialCalloutSite(Console& c, bool first);

// The run stops before its end: the current site and every one after it get
// a line saying so in their connection logs (their last session's log stays
// above it), the run ends, and the operator is told which sites were not
// called.
void EndCalloutRunEarly(Console& c, const std::string& reason);

// A run's session ends once the called unit's status has been read (the
// status reply, or the V4 dump that carries it): the console hangs up as the
// online window's Disconnect does, and the run goes on with its next site.
void HangUpCalloutSession(Console& c);

// The run is over: the flag cleared, the list closed, the map redrawn.
void EndCalloutRun(Console& c);

// While a run is active nobody answers message boxes: the prompt goes into
// the session's log (stored with the called site) and true is returned, so
// the box is not shown; otherwise false.
bool TakeRunMessage(Console& c, std::string_view prompt);

}  // namespace app
