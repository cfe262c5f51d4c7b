// The camera capture: a middle click appends the current camera as text, for the show's authors.
#pragma once

#include <string>

#include "state/camera_record.h"
#include "timing/frame_record.h"

// `value` with 6 significant digits the way the Windows runtime's _gcvt writes it: fixed notation while the
// decimal exponent lies in -1 ... 5, exponent notation otherwise; trailing zeros dropped but the decimal
// point kept ("1.", "0.5", "1.23457e+006", "1.e-007").
std::string FormatSignificant6(double value);

// Appends the "Cam :", "Pnt :" and "MCr :" blocks for the frame's adjust and capture point and the camera
// eye.
void AppendCameraCapture(std::string& text, const FrameRecord& frame, const CameraRecord& camera);
