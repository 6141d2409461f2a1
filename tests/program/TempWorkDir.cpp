// Program tests run in a fresh directory of their own: instructions that
// write data files (W/DATA$, WRIT2SF, ...) must never leave files where the
// tests were started.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace {

class CTempWorkDir : public ::testing::Environment {
public:
    void SetUp() override {
        namespace fs = std::filesystem;
        oOld_ = fs::current_path();
        std::random_device rd;
        oDir_ = fs::temp_directory_path() / ("corvel_program_tests_" + std::to_string(rd()));
        fs::create_directories(oDir_);
        fs::current_path(oDir_);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::current_path(oOld_, ec);
        std::filesystem::remove_all(oDir_, ec);
    }

private:
    std::filesystem::path oOld_, oDir_;
};

[[maybe_unused]] const auto* const pEnvironment = ::testing::AddGlobalTestEnvironment(new CTempWorkDir);

} // namespace
