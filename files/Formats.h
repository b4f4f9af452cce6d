#pragma once

// The .444 animation file and the firmware tables exported beside it.
// Pure functions over bytes and paths; nothing here touches the GUI.

namespace dover {} // namespace dover
