// A headless GL context shared by the tests of one suite; the suite is skipped where none can be made.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/headless_context.h"

class GlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!context_) context_ = HeadlessContext::Create(error_);
  }
  void SetUp() override {
    if (!context_) GTEST_SKIP() << "no headless GL context: " << error_;
    context_->MakeCurrent();
  }
  static std::unique_ptr<HeadlessContext> context_;
  static std::string error_;
};
