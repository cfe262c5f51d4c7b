// Full-viewport quads drawn over whatever a frame left behind (presentation, the closing fade).
#pragma once

// Saves all attribute groups and the texture, projection and model-view matrices, loads identities and
// switches off everything that would alter a flat quad (depth, lighting, culling, fog, texturing, blending).
void BeginOverlay();

// Restores what BeginOverlay saved; the model-view matrix is selected afterwards as before.
void EndOverlay();

// One quad covering the viewport, with texture coordinates from (0, 0) to (1, 1).
void DrawViewportQuad();
