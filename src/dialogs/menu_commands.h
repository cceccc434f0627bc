#pragma once
// Command ids of the context menu. They overlap with control ids (0 is also the
// OverlayCanvas), so they only mean a command when they arrive as a MenuCommand event.

namespace kivolt {

enum MenuCommandId : int {
    kMenuOpen = 0,
    kMenuOpenFolder = 1,
    kMenuCopyPath = 2,
    kMenuRemove = 3,
    kMenuSettings = 4,
    kMenuPin = 5,
    kMenuProperties = 6,
    kMenuQuit = 7,
};

}  // namespace kivolt
