// CameraRecord: a viewer as gluLookAt takes it (eye, centre, up), used for the camera and the light.
#pragma once

#include "math/vec3.h"

struct CameraRecord {
  Vec3 eye;
  Vec3 centre;
  Vec3 up;
};
