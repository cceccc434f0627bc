#pragma once
// Starting what a Shortcut points to, and the two path actions of the context menu. Every
// call returns when the shell call returns; failures are the shell's to show, if anyone's.
// The thread must have COM/OLE initialised (the program does that at start-up).

#include <string>

#include "model/shortcut_list.h"

namespace kivolt {

// Starts a Shortcut as Explorer would: an executable (path ending in ".EXE", any case)
// through ShellExecuteA with its parameters, show command and the verb "runas" when
// runAsAdmin is set; anything else with the shell's default verb, shown normally, without
// parameters. Either way in its own folder (see launch_plan.h).
void launchShortcut(const Shortcut& shortcut);

// Opens the folder that holds the Shortcut's path.
void openContainingFolder(const Shortcut& shortcut);

// Puts exactly the stored path on the clipboard as CF_TEXT.
void copyShortcutPath(const Shortcut& shortcut);

// Starts `target` as a program (CreateProcessA); when that fails, opens it with the shell's
// default verb (ShellExecuteExA), which is how folders and documents open.
void runFile(const std::string& target);

}  // namespace kivolt
