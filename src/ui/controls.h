// Everything a window model needs: the form, every control kind, control
// arrays and the runtime.
#pragma once

#include "ui/basic_controls.h"
#include "ui/control_array.h"
#include "ui/form.h"
#include "ui/list_controls.h"
#include "ui/menu.h"
#include "ui/picture_box.h"
#include "ui/runtime.h"
#include "ui/scroll_bar.h"
#include "ui/status_bar.h"
#include "ui/tab_strip.h"
#include "ui/timer.h"
#include "ui/toolbar.h"
#include "ui/updown.h"
