#include "desktop/setup_dialog_template.h"

namespace {
// a * b / c rounded to the nearest integer (halves away from zero).
int ScaleRounded(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  return static_cast<int>((product >= 0 ? product + c / 2 : product - c / 2) / c);
}
}  // namespace

DialogBaseUnits BaseUnitsOfFont(int alphabetWidth, int lineHeight) {
  return {(alphabetWidth / 26 + 1) / 2, lineHeight};
}

DialogUnitRect DialogUnitsToPixels(DialogUnitRect units, DialogBaseUnits base) {
  return {ScaleRounded(units.x, base.x, 4), ScaleRounded(units.y, base.y, 8),
          ScaleRounded(units.width, base.x, 4), ScaleRounded(units.height, base.y, 8)};
}
