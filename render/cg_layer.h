// The shader-program layer of the render pass.
//
// The show binds a vertex and a fragment profile around every pass and hands the camera and light to a
// fragment program, but it loads no program text: every program and parameter handle stays null, and the
// scenes switch both profiles off before they draw. This layer keeps that call surface as no-ops over null
// handles, so the render pass keeps its structure, and records each call when a log is attached so tests can
// check the sequence. It includes no GL header and makes no GL call.
#pragma once

#include <array>
#include <string>
#include <vector>

using CgHandle = const void*;  // programs, parameters and the context: always null here

constexpr int kCgProfileArbVp1 = 6150;  // vertex profile
constexpr int kCgProfileArbFp1 = 7000;  // fragment profile
constexpr int kCgProgramCount = 8;
constexpr int kCgParametersPerProgram = 16;
constexpr int kCgMatrixTexture = 6;
constexpr int kCgMatrixModelViewProjection = 7;
constexpr int kCgTransformIdentity = 0;

enum class CgOp {
  CreateContext,
  SetOptimalOptions,
  GetNamedParameter,
  SetStateMatrixParameter,
  BindProgram,
  SetParameter3f,
  EnableProfile,
  DisableProfile,
};

// One recorded runtime call. `program` and `slot` say which table entries the call used (-1: none).
struct CgCall {
  CgOp op;
  int program = -1;
  int slot = -1;
  int value = 0;  // profile number, or the matrix kind of a state-matrix call
  std::string name;
  std::array<float, 3> xyz{};
};

struct CgProgramSet {
  CgHandle context = nullptr;
  int vertexProfile = 0;
  int fragmentProfile = 0;
  std::array<CgHandle, kCgProgramCount> programs{};
  std::array<std::array<CgHandle, kCgParametersPerProgram>, kCgProgramCount> parameters{};
  std::vector<CgCall>* log = nullptr;  // calls are appended here when set
};

void CgCreate(CgProgramSet& set);
void CgSetOptimalOptions(CgProgramSet& set, int profile);
void CgLookupParameter(CgProgramSet& set, int program, int slot, const char* name);
void CgSetModelViewProjection(CgProgramSet& set, int program, int slot);
void CgSetTextureMatrix(CgProgramSet& set, int program, int slot);
void CgBind(CgProgramSet& set, int program);
void CgSet3f(CgProgramSet& set, int program, int slot, float x, float y, float z);
void CgEnableVertex(CgProgramSet& set);
void CgEnableFragment(CgProgramSet& set);
void CgDisableVertex(CgProgramSet& set);
void CgDisableFragment(CgProgramSet& set);
