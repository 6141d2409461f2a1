#pragma once
// A fresh directory of the test's own, removed with all it holds (with bEnter the current directory while it lives),
// and a whole file written or read ("" when it cannot be read).
#include <filesystem>
#include <fstream>
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

inline void WriteFile(const std::string& sName, const std::string& s) { std::ofstream(sName, std::ios::binary) << s; }
inline std::string ReadFile(const std::string& sName) {
    std::ifstream in(sName, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}
