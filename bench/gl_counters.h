// Counting what the GL driver is given, for the benchmarks.
#pragma once

#include <cstdint>

#include "render/gl_api.h"

// The vertices submitted while `draw` runs, where the driver offers pipeline statistics; -1 where not.
template <typename Draw>
int64_t VerticesSubmitted(Draw draw) {
  if (!epoxy_has_gl_extension("GL_ARB_pipeline_statistics_query")) return -1;
  GLuint query = 0;
  glGenQueries(1, &query);
  glBeginQuery(GL_VERTICES_SUBMITTED_ARB, query);
  draw();
  glEndQuery(GL_VERTICES_SUBMITTED_ARB);
  GLuint64 vertices = 0;
  glGetQueryObjectui64v(query, GL_QUERY_RESULT, &vertices);
  glDeleteQueries(1, &query);
  return int64_t(vertices);
}
