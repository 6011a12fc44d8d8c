// The tests' temporary folder: a fresh private folder under /tmp for one
// test, removed with everything in it when the test ends. Tests that write
// files (saves, layouts, tables) each get their own, so no test sees
// another's files and a failed one leaves nothing behind.
#pragma once

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

namespace corvale::testsupport {

struct TempFolder {
    std::filesystem::path root;

    // NAME tells whose folder it is when one is left behind: /tmp/corvale-NAME-XXXXXX.
    // On Windows the folder is in the player's temporary folder, with a
    // random tail in place of mkdtemp's.
    explicit TempFolder(const std::string& name = "test") {
#ifdef _WIN32
        std::random_device random;
        for (int attempt = 0; attempt < 100 && root.empty(); ++attempt) {
            std::filesystem::path candidate = std::filesystem::temp_directory_path() /
                                              ("corvale-" + name + "-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) root = candidate;
        }
        if (root.empty()) throw std::runtime_error("cannot make a temporary folder for " + name);
#else
        std::string pattern = "/tmp/corvale-" + name + "-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary folder " + pattern + ": " +
                                     std::strerror(errno));
        root = pattern;
#endif
    }
    ~TempFolder() {
        std::error_code ignored;  // a test that fails midway still ends here
        std::filesystem::remove_all(root, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
};

}  // namespace corvale::testsupport
