// The curves the scenes walk, built once at start-up: the single curve and the nine pools of the show.
//
// Every builder reseeds the random generator with fixed seeds (or runs on from the one before it), so the
// geometry is identical on every run; the order of the builders is part of the result.
#pragma once

class ShowObject;

// Builds the single curve and the pools, then sets the show three seconds before its time zero.
void BuildStartupCurves(ShowObject& show);
