#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "saves/records.h"

namespace recordstest {

// What a file held before time trials: races only.
inline AllRecords racesOnly(CircuitRecords race) {
    AllRecords all;
    all.race = std::move(race);
    return all;
}

// Sets or unsets an environment variable until the end of the scope.
class EnvironmentVariable {
public:
    EnvironmentVariable(const char* name, const char* value);  // value null: unset
    ~EnvironmentVariable();
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

// A fresh temporary folder holding the player's home, data home and config
// home: HOME=<root>/home, XDG_DATA_HOME=<root>/data and
// XDG_CONFIG_HOME=<root>/config, none created yet.
class TempDataHome {
public:
    TempDataHome();
    ~TempDataHome();

    const std::string& root() const { return root_; }
    std::string dataHome() const { return root_ + "/data"; }
    std::string folder() const { return root_ + "/data/zentrix"; }
    std::string file() const { return folder() + "/records.txt"; }
    std::string configHome() const { return root_ + "/config"; }
    std::string configFolder() const { return root_ + "/config/zentrix"; }
    std::string settingsFile() const { return configFolder() + "/settings.ini"; }

private:
    std::string root_;
    EnvironmentVariable home_;
    EnvironmentVariable dataHome_;
    EnvironmentVariable configHome_;
};

// Everything written to standard error while alive, the descriptor included.
class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    std::string text();

private:
    int savedDescriptor_ = -1;
    std::FILE* file_ = nullptr;
};

int lineCount(const std::string& text);
void writeText(const std::string& path, const std::string& text);
std::string readText(const std::string& path);
// The names in a folder, sorted, those starting with prefix only.
std::vector<std::string> namesIn(const std::string& folder, const std::string& prefix = "");

}  // namespace recordstest
