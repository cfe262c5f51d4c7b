// The OpenGL and GLU declarations the core draws with.
//
// libepoxy resolves the entry points for whichever context is current (an SDL window's or a headless EGL
// one); GLU must come after it so that it picks up epoxy's declarations instead of the system gl.h.
#pragma once

#include <epoxy/gl.h>

#include <GL/glu.h>
