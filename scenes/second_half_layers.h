// The layers of the second half, one function per layer or named group, numbered by their place in the
// half's drawing order. Each pushes and pops its own matrix (the zoom of 13 stays pushed until
// EndMeanderZoom) and sets the state it needs; the gates are at the call sites in second_half.cpp.
#pragma once

#include "scenes/scene.h"

// Pass 1: depth function GL_ALWAYS.
void DrawColourColumns(const Scene& scene);              // 1
void DrawSecondColourColumns(const Scene& scene);        // 2
void DrawShapeWall(const Scene& scene);                  // 3
int ShapeWallShapesAt(double t);                         // how many of the wall's shapes show in each copy
void DrawSecondHalfSpiral(const Scene& scene, int row);  // 4, 5
void DrawFallingShapes(const Scene& scene);              // 6

// Pass 2: depth function GL_LESS.
void DrawPatternBackground(const Scene& scene);      // 7
void DrawCornerBackground(const Scene& scene);       // 8
void DrawFallingPictures(const Scene& scene);        // 9
void DrawCreatureGroup(const Scene& scene);          // 10
void DrawDiamondFields(const Scene& scene);          // 12
void BeginMeanderZoom(const Scene& scene);           // 13: pushes the zoom
void DrawMirroredMeanderCopies(const Scene& scene);  // 13
void DrawSmallCreatureGroup(const Scene& scene);     // 14
void EndMeanderZoom();

// Pass 3: over a cleared depth buffer, depth test off.
void DrawTendril(const Scene& scene, int row);           // 18, 19, 20
void DrawSecondHalfEye(const Scene& scene, int row);     // 21, 22
void DrawSecondHalfSprout(const Scene& scene, int row);  // 24, 27, 28
void DrawPictureWithSoftShadow(const Scene& scene);      // 26
void DrawBlackBlades(const Scene& scene);                // 29
void DrawBlackGround(const Scene& scene);                // 30
void DrawDarkMeanders(const Scene& scene);               // 31
void DrawDarkeningPicture(const Scene& scene);           // 32
void DrawTendrilRow(const Scene& scene);                 // 33
