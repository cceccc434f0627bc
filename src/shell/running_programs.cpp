#include "shell/running_programs.h"

#include "base/text.h"

namespace kivolt {

RunningPrograms::RunningPrograms(const std::vector<std::string>& exeFiles) {
    for (const std::string& exeFile : exeFiles) names_.insert(filePart(upperCase(exeFile)));
}

bool RunningPrograms::isProgramRunning(std::string_view fileName) const {
    return !fileName.empty() && names_.contains(upperCase(fileName));
}

}  // namespace kivolt
