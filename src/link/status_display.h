// How a unit's live status is shown: the bar gauges, the relay and alarm
// lamps, the equalisation state, the ampere-hour counters, the net current,
// the load hours and the colour of the Update buttons. The live status
// parsers and the saved-status loader share these rules.
#pragma once

#include <cstdint>
#include <string>

#include "ui/controls.h"

namespace app {
class Console;
}

namespace lnk {

// Colours of a bar gauge: dark zones behind, lit zones up to the value.
inline constexpr ui::Color kGaugeDarkRed = ui::RGB(80, 0, 0);
inline constexpr ui::Color kGaugeDarkYellow = ui::RGB(80, 80, 0);
inline constexpr ui::Color kGaugeDarkBlue = ui::RGB(0, 50, 80);
inline constexpr ui::Color kGaugeRed = ui::RGB(255, 0, 0);
inline constexpr ui::Color kGaugeYellow = ui::RGB(255, 255, 0);
inline constexpr ui::Color kGaugeBlue = ui::RGB(0, 150, 255);

// Draws a bar gauge in the rectangle of GaugeLabel (in the picture's twips)
// on GaugePicture. The label's Tag holds the scale "S1,S2,S3,S4": top, red
// threshold, yellow threshold, bottom (S1 > S2 > S3 > S4). The column is lit
// from the bottom up to GaugeValue: blue up to S3, yellow up to S2, red above,
// over dark versions of the three zones. The picture holds nothing else, so
// its earlier drawing is cleared first.
void DrawGauge(ui::PictureBox& GaugePicture, const ui::Label& GaugeLabel, double GaugeValue);

// Reads the clock of a status line (year, month, day, one unshown number,
// hour, minute, second) from RxBuffer into the date and time texts of both
// windows.
void ShowStatusDateAndTime(app::Console& c);
// Reads the temperature, relay-bit and generator-bit tokens of a U line from
// RxBuffer and shows them (temperatures, lamps).
void ShowTemperaturesAndLamps(app::Console& c);
// Reads a V line from RxBuffer up to its net ampere-hours: two unshown
// numbers, the equalisation flag (shown), two unshown numbers; returns the
// net ampere-hours token.
std::string ReadVLineToNetAmpHours(app::Console& c);
// Reads the AH in and out tokens of a V line from RxBuffer and shows the
// three counters, the load hours and the read status.
void ShowVLineCounters(app::Console& c, const std::string& net);
// The battery voltage and the two temperature gauges of the online window,
// from the numbers in its value boxes.
void DrawStatusGauges(app::Console& c);

// The lamps of the relay and alarm bits (U line token 14) and of the
// generator bits (token 15). A set relay bit shows its green lamp off.
void ShowStatusLamps(app::Console& c, std::int32_t relay_bits, std::int32_t generator_bits);

// Net current = PV current - load current, from the installation screen's
// boxes, as plain number text on both windows.
void ShowNetCurrent(app::Console& c);

// The two temperatures as the unit sends them, followed by " ºC".
void ShowTemperatures(app::Console& c, const std::string& battery, const std::string& unit);

// Equalisation flag 0: lamp off and "Off"; anything else: lamp on and
// "Next HVD".
void ShowEqualisation(app::Console& c, double flag);

// The ampere-hour counters. The online window shows them crossed over: its
// txtAHout ("PV AH") takes the AH in, its txtAHin ("Load AmpHours") the AH out.
void ShowAmpHours(app::Console& c, const std::string& net, const std::string& in,
                  const std::string& out);

// Hours the battery carries the present load: net AH / load current, two
// decimals cut off; "No Load" without load current.
void ShowLoadHours(app::Console& c);

// Both Update buttons leave their "update under way" colour.
void ShowStatusRead(app::Console& c);

// The value of the parameter row 25 that the state of charge is taken
// against; 0 when the row does not exist.
double SocReference(app::Console& c);

}  // namespace lnk
