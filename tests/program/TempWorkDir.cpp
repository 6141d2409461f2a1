// Program tests run in a fresh directory of their own: instructions that
// write data files (W/DATA$, WRIT2SF, ...) must never leave files where the
// tests were started.
#include <gtest/gtest.h>

#include <memory>

#include "common/TempDir.h"

namespace {

class CTempWorkDir : public ::testing::Environment {
    std::unique_ptr<CTempDir> pDir_;
    void SetUp() override { pDir_ = std::make_unique<CTempDir>(true); }
    void TearDown() override { pDir_.reset(); }
};

[[maybe_unused]] const auto* const pEnvironment = ::testing::AddGlobalTestEnvironment(new CTempWorkDir);

} // namespace
