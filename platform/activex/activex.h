#pragma once
// The stand-ins for the outside controls.
#include "platform/activex/common_dialog.h"
#include "platform/activex/graph.h"
#include "platform/activex/movie.h"
#include "platform/activex/progress_bar.h"
#include "platform/activex/skin.h"
#include "platform/activex/splash.h"
