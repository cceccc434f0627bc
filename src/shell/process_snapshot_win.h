#pragma once
// The running processes at this moment, from the Tool Help snapshot. Take one per paint and
// ask it for every Shortcut; no snapshot (a failing call) means nothing runs.

#include "shell/running_programs.h"

namespace kivolt {

RunningPrograms takeProcessSnapshot();

}  // namespace kivolt
