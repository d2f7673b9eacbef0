#include "support/records_fixture.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace recordstest {

EnvironmentVariable::EnvironmentVariable(const char* name, const char* value) : name_(name) {
    if (const char* previous = std::getenv(name)) {
        previous_ = previous;
    }
    if (value != nullptr) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
}

EnvironmentVariable::~EnvironmentVariable() {
    if (previous_) {
        setenv(name_.c_str(), previous_->c_str(), 1);
    } else {
        unsetenv(name_.c_str());
    }
}

namespace {

std::string makeTempRoot() {
    char pattern[] = "/tmp/zentrix_records_XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    return pattern;
}

}  // namespace

TempDataHome::TempDataHome()
    : root_(makeTempRoot()),
      home_("HOME", (root_ + "/home").c_str()),
      dataHome_("XDG_DATA_HOME", (root_ + "/data").c_str()),
      configHome_("XDG_CONFIG_HOME", (root_ + "/config").c_str()) {}

TempDataHome::~TempDataHome() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

StderrCapture::StderrCapture() {
    std::fflush(stderr);
    file_ = std::tmpfile();
    if (file_ == nullptr) {
        throw std::runtime_error("tmpfile failed");
    }
    savedDescriptor_ = dup(STDERR_FILENO);
    dup2(fileno(file_), STDERR_FILENO);
}

StderrCapture::~StderrCapture() {
    std::fflush(stderr);
    dup2(savedDescriptor_, STDERR_FILENO);
    close(savedDescriptor_);
    std::fclose(file_);
}

std::string StderrCapture::text() {
    std::fflush(stderr);
    std::string text;
    char buffer[512];
    size_t got = 0;
    std::rewind(file_);
    while ((got = std::fread(buffer, 1, sizeof buffer, file_)) > 0) {
        text.append(buffer, got);
    }
    return text;
}

int lineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> namesIn(const std::string& folder, const std::string& prefix) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) == 0) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace recordstest
