#pragma once
// Which programs are running, by executable file name alone (no folder, no case): one set
// of names taken at one moment and asked for every Shortcut of a paint.

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kivolt {

class RunningPrograms {
public:
    RunningPrograms() = default;
    // `exeFiles` as the process list gives them (szExeFile, normally a bare file name).
    explicit RunningPrograms(const std::vector<std::string>& exeFiles);

    // A process runs whose executable has this file name. An empty name never matches.
    bool isProgramRunning(std::string_view fileName) const;

private:
    std::unordered_set<std::string> names_;  // upper-cased file parts
};

}  // namespace kivolt
