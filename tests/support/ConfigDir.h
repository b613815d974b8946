#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace TestSupport {

// A fresh temporary directory that is the working directory during the test, so that
// configuration files, their companions and includes are found by their bare names.
class ConfigDir : public ::testing::Test {
protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
    }
    void TearDown() override { std::filesystem::current_path(previous); }

    // Writes content to the file name (relative to the directory) and returns name.
    std::string write(const std::string& name, const std::string& content) {
        dir.write(name, content);
        return name;
    }

    TestSupport::TempDir dir;

private:
    std::filesystem::path previous;
};

}  // namespace TestSupport
