#pragma once

namespace tallowmere::mSysTray {

// True while the main window is hidden because it was minimised to the tray.
// Program-wide because the window's resize and the tray icon's click handlers
// share it; the window procedure routing of this unit lives in the Windows
// layer.
inline bool bHiddenInTray = false;

}  // namespace tallowmere::mSysTray
