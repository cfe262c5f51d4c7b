// Tonal lines in a piece's long-term spectrum: the power spectrum averaged over the whole piece (8192-point
// Hann windows, half overlapping, 5.4 Hz apart at 44.1 kHz), where a sound of steady pitch that recurs,
// however short each time, stands out of its neighbourhood as a narrow peak.
#pragma once

#include <vector>

struct TonalLine {
  double frequency = 0.0;  // Hz
  double excess_db = 0.0;  // above the median of the bins within 500 Hz either side
};

// The strongest line between `from` and `to` Hz in the long-term spectrum of `mono` (44.1 kHz).
TonalLine StrongestLine(const std::vector<float>& mono, double from, double to);

// The median of `values` (the upper one of an even count); 0 for none.
double Median(std::vector<double> values);
