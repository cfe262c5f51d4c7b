// The layers of the first half, one function per layer or named group, numbered by their place in the
// half's drawing order. Each pushes and pops its own matrix and sets the state it needs; the gates are at
// the call sites in first_half.cpp.
#pragma once

#include "scenes/scene.h"

// Pass 1: the lower canvas, drawn without depth test.
void DrawBackdropList(const Scene& scene);           // 1
void DrawStrandFieldA(const Scene& scene);           // 2
void DrawStrandFieldB(const Scene& scene);           // 3
void DrawBlueList10(const Scene& scene);             // 4
void DrawWhiteList10(const Scene& scene);            // 5
void DrawBlueBand(const Scene& scene);               // 6
void DrawGreyBand(const Scene& scene);               // 7
void DrawWarmColumns(const Scene& scene);            // 8
void DrawCoolRows(const Scene& scene);               // 9
void DrawTwoLists100(const Scene& scene);            // 10
void DrawWaves(const Scene& scene);                  // 11
void DrawThreeBlackLists10(const Scene& scene);      // 12
void DrawSpiralLayer(const Scene& scene, int row);   // 13 to 16
void DrawSwingingPair(const Scene& scene);           // 17
void DrawRibbonCreatureGroup(const Scene& scene);    // 18
void DrawBlackList100(const Scene& scene, int row);  // 19 to 22
void DrawMultipliedPicture(const Scene& scene);      // 23
void DrawMultipliedList1(const Scene& scene);        // 24
void DrawMultipliedList100(const Scene& scene);      // 25
void DrawLinePath(const Scene& scene);               // 26
void DrawSpecksAndStrokes(const Scene& scene);       // 27
void DrawCreatureField(const Scene& scene);          // 28
void DrawAdditiveMoon(const Scene& scene);           // 30

// Pass 2: the middle and upper canvas, over a cleared depth buffer.
void DrawTiledBackground(const Scene& scene);           // 31
void DrawScrollingBackground(const Scene& scene);       // 32
void DrawGlowList(const Scene& scene, int row);         // 33 to 35
void DrawFlickeringPanel(const Scene& scene, int row);  // 37, 65, 73
void DrawStrandBundle(const Scene& scene);              // 38
void DrawDialLayer(const Scene& scene, int row);        // 39 to 42, 45 to 49, 62, 63, 75
void DrawStrandCurtainA(const Scene& scene);            // 43
void DrawStrandCurtainB(const Scene& scene);            // 44
void DrawGlyphLayer(const Scene& scene, int row);       // 50 to 52, 61, 76 to 79
void DrawEyeLayer(const Scene& scene, int row);         // 53 to 55, 60
void DrawStrandSprout(const Scene& scene, int row);     // 56 to 58, 74
void DrawMeanderOnCurve(const Scene& scene);            // 59
void DrawMirroredMeanders(const Scene& scene);          // 64
void DrawMeanderRow(const Scene& scene);                // 67
void DrawTowers(const Scene& scene);                    // 69
void DrawShadowedPicture(const Scene& scene);           // 70
void DrawFramedPicture(const Scene& scene);             // 71
void DrawDialPair(const Scene& scene);                  // 72
