// Figures drawn with a pen on the fly: a turning spiral band with crawling creatures, and a rounded loop with
// travelling dashes. Both move the current matrix (the caller pushes and pops) and are built anew each call;
// the scene reseeds the random generator before the call.
#pragma once

// Six parallel bands along a turning pen path of 245 points, a square backing, two textured black bands and,
// from about 70 s on, thirty creatures crawling along the path. Colour and texture of the first bands are
// the caller's.
void DrawSpiralFigure(double t);

// A rounded loop with long sides 15 scale long and short sides that breathe with sin t, drawn as seven bands
// (all black but one) and a grey line, with trunc(20 scale) grey dashes running around it at one parameter
// unit per second. Leaves texturing on.
void DrawGlyphFigure(double t, double scale);
