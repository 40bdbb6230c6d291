// Helpers shared by vb.cpp and vb_format.cpp; not part of the module's API.
#pragma once

#include <string>

namespace vb::detail {

// Text of an infinity or NaN, in the original's "1.#INF" / "-1.#IND" forms.
std::string SpecialText(double v);

}  // namespace vb::detail
