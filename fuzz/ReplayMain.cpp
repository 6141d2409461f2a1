// Runs a fuzz target once on each file given, or on each file in each
// directory given (in name order; a directory that does not exist is
// skipped), without the fuzzing engine. The test build runs every target's
// seed corpus and its kept regressions this way with any compiler.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> vFiles;
    for (int i = 1; i < argc; ++i) {
        // Absolute now: a target may change the current directory.
        const fs::path oArg = fs::absolute(argv[i]);
        std::error_code ec;
        if (fs::is_directory(oArg, ec)) {
            const size_t nFirst = vFiles.size();
            for (const auto& e : fs::directory_iterator(oArg))
                if (e.is_regular_file() && e.path().filename().string()[0] != '.') vFiles.push_back(e.path());
            std::sort(vFiles.begin() + static_cast<std::ptrdiff_t>(nFirst), vFiles.end());
        } else if (fs::is_regular_file(oArg, ec)) {
            vFiles.push_back(oArg);
        }
    }
    if (vFiles.empty()) {
        std::fprintf(stderr, "no inputs found\n");
        return 1;
    }
    for (const fs::path& oFile : vFiles) {
        std::ifstream is(oFile, std::ios::binary);
        const std::string s((std::istreambuf_iterator<char>(is)), std::istreambuf_iterator<char>());
        std::printf("%s\n", oFile.string().c_str());
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(s.data()), s.size());
    }
    std::printf("%zu inputs passed\n", vFiles.size());
    return 0;
}
