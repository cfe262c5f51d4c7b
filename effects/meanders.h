// Meanders: a pen path of arcs and straight runs, built anew on every call from the random generator (the
// scene reseeds it before the call, so the path is fixed while its turns breathe with the time), drawn as
// eight parallel textured ribbons. Each meander takes its pen's draws and then two per ribbon.
#pragma once

// Five segments of an arc and 2 ... 5 straight runs, and one dial at the end of the path. Everything black
// when dark is set.
void DrawMeanderA(double t, bool dark);

// Six segments of an arc and three runs. With withDials set, two dials and two breathing arcs at the start of
// the path; they leave the depth test off.
void DrawMeanderB(double t, bool withDials);

// Four segments of three runs and an arc, in darker greys.
void DrawMeanderC(double t);
