// Flat panels cut from textures laid out as horizontal bands (each 0.1275 of the height), and a translucent
// panel whose texture window jumps at random every frame. The caller binds the texture and sets the
// transform.
#pragma once

// One quad, 2 wide and 1 tall (1.5 for row 3, which reaches down to -0.5), showing band `row`.
void DrawBandQuad(int row);

// n band quads stacked upwards, each a quarter tall: row 7 at the bottom, row 6 on top, row 0 between.
void DrawBandStack(int n);

// A translucent tinted quad n units tall with a random texture window; exactly five random draws.
void DrawNoiseQuad(int n, double amount);
