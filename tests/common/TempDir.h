#pragma once
// A fresh directory of the test's own, removed with all it holds at the end;
// with bEnter it is the current directory while it lives.
#include <filesystem>
#include <random>
#include <string>

class CTempDir {
public:
    explicit CTempDir(bool bEnter = false) : bEnter_(bEnter) {
        std::random_device rd;
        oPath_ = std::filesystem::temp_directory_path() / ("corvel_test_" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(oPath_);
        if (bEnter_) std::filesystem::current_path(oPath_);
    }
    ~CTempDir() {
        std::error_code ec;
        if (bEnter_) std::filesystem::current_path(oOld_, ec);
        std::filesystem::remove_all(oPath_, ec);
    }
    const std::filesystem::path& Path() const { return oPath_; }
    std::string File(const std::string& s) const { return (oPath_ / s).string(); }

private:
    bool bEnter_;
    std::filesystem::path oOld_ = std::filesystem::current_path(), oPath_;
};
