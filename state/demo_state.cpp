#include "state/demo_state.h"

// Every start value is a member initialiser; the shader layer is created last, as no GL context is needed.
DemoState::DemoState() {
  CgCreate(cg);
}
