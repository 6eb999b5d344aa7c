#pragma once

#include "platform/Dialogs.h"
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/InputState.h"
#include "platform/Registry.h"
#include "platform/SettingsStore.h"

namespace tallowmere {

// The services of the system that the main window uses.
struct Platform {
  Files& files;
  Environment& environment;
  Dialogs& dialogs;
  Registry& registry;
  SettingsStore& settings;
  InputState& input;
};

}  // namespace tallowmere
