// The curves the scenes walk, built once at start-up: the single curve and the nine pools of the show.
//
// Every builder reseeds the random generator with fixed seeds (or runs on from the one before it), so the
// geometry is identical on every run; the order of the builders is part of the result.
#pragma once

#include "assets/show_curves.h"

// Builds the single curve and the pools.
void BuildStartupCurves(ShowCurves& curves);
