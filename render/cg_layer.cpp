#include "render/cg_layer.h"

namespace {

void Record(CgProgramSet& set, CgCall call) {
  if (set.log) set.log->push_back(std::move(call));
}

// Out-of-range program numbers or slots are recorded but touch no table entry.
bool InTable(int program, int slot) {
  return program >= 0 && program < kCgProgramCount && slot >= 0 && slot < kCgParametersPerProgram;
}

void SetStateMatrix(CgProgramSet& set, int program, int slot, int matrix) {
  Record(set, {.op = CgOp::SetStateMatrixParameter, .program = program, .slot = slot, .value = matrix});
}

}  // namespace

void CgCreate(CgProgramSet& set) {
  set.vertexProfile = kCgProfileArbVp1;
  set.fragmentProfile = kCgProfileArbFp1;
  set.context = nullptr;
  Record(set, {.op = CgOp::CreateContext});
}

void CgSetOptimalOptions(CgProgramSet& set, int profile) {
  Record(set, {.op = CgOp::SetOptimalOptions, .value = profile});
}

void CgLookupParameter(CgProgramSet& set, int program, int slot, const char* name) {
  // No program text is loaded, so a named lookup finds nothing.
  if (InTable(program, slot)) set.parameters[program][slot] = nullptr;
  Record(set, {.op = CgOp::GetNamedParameter, .program = program, .slot = slot, .name = name});
}

void CgSetModelViewProjection(CgProgramSet& set, int program, int slot) {
  SetStateMatrix(set, program, slot, kCgMatrixModelViewProjection);
}

void CgSetTextureMatrix(CgProgramSet& set, int program, int slot) {
  SetStateMatrix(set, program, slot, kCgMatrixTexture);
}

void CgBind(CgProgramSet& set, int program) {
  Record(set, {.op = CgOp::BindProgram, .program = program});
}

void CgSet3f(CgProgramSet& set, int program, int slot, float x, float y, float z) {
  Record(set, {.op = CgOp::SetParameter3f, .program = program, .slot = slot, .xyz = {x, y, z}});
}

void CgEnableVertex(CgProgramSet& set) {
  Record(set, {.op = CgOp::EnableProfile, .value = set.vertexProfile});
}

void CgEnableFragment(CgProgramSet& set) {
  Record(set, {.op = CgOp::EnableProfile, .value = set.fragmentProfile});
}

void CgDisableVertex(CgProgramSet& set) {
  Record(set, {.op = CgOp::DisableProfile, .value = set.vertexProfile});
}

void CgDisableFragment(CgProgramSet& set) {
  Record(set, {.op = CgOp::DisableProfile, .value = set.fragmentProfile});
}
