// Textured unit quads: flat, mirrored, or facing the viewer. Shared by the creature renderers, the scenes and
// the show's frame function; they act on the current GL state and matrices and keep no state.
#pragma once

// One quad scaled by (|width|, height) and turned by angle degrees about z; its texture is mirrored left to
// right when width <= 0. Leaves the model-view matrix scaled and turned.
void FlatQuad(const double& angle, const double& width, const double& height);

// A quad facing the viewer at the current position (the current rotation and scale are dropped), scaled by
// (width, height), turned by angle degrees, with texture coordinates (u, v) ... (u + span, v + span).
void BillboardQuad(const double& angle, const double& width, const double& height, double texU, double texV,
                   double span);

// BillboardQuad with the texture repeated four times each way.
void TiledBillboard(const double& angle, const double& width, const double& height);

// One quad scaled by (width, height), texture 0 ... 1, no turn.
void PlainQuad(double width, double height);
