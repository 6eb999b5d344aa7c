#pragma once

#include "platform/win32/Handle.h"

namespace tallowmere {

enum class StartOutcome {
  OnlyCopy,    // no other copy runs: this start goes on
  HandedOver,  // the running copy brought its window back: this start ends
  NoAnswer,    // a copy runs but did not answer: this start ends
};

// Decides, before anything is created or written, whether this start is the
// only copy of the program in the Windows session, whatever the path it was
// started from. The session's copy holds a named mutex until its process
// ends, kept in `mark`. A start that finds the mutex held asks the running
// copy's main window to come back, as a release on its tray icon brings it.
StartOutcome StartAsOnlyCopy(Handle& mark);

}  // namespace tallowmere
