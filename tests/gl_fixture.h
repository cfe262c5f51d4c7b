// A headless GL context shared by all GL tests of a process; the tests are skipped where none can be made.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/headless_context.h"

class GlTest : public ::testing::Test {
 protected:
  void SetUp() override;
};
