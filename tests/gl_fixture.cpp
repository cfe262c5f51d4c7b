#include "tests/gl_fixture.h"

std::unique_ptr<HeadlessContext> GlTest::context_;
std::string GlTest::error_;
