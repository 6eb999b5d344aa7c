#pragma once

#include "platform/BlockListSource.h"
#include "platform/Dialogs.h"
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/HookCalls.h"
#include "platform/InputState.h"
#include "platform/Pictures.h"
#include "platform/Process.h"
#include "platform/ProgramResources.h"
#include "platform/Registry.h"
#include "platform/SettingsStore.h"
#include "platform/SkinControl.h"
#include "tray/cSysTray.h"

namespace tallowmere {

// The services of the system that the main window uses.
struct Platform {
  Files& files;
  Environment& environment;
  Dialogs& dialogs;
  Registry& registry;
  SettingsStore& settings;
  InputState& input;
  TrayPlatform& tray;
  ProgramResources& resources;
  Process& process;
  Pictures& pictures;
  SkinControl& skin;  // SkinFramework1, the skin control on the main window
  HookCalls& hooks;
  BlockListSource& blockList;  // the block list as the hooks read it
};

}  // namespace tallowmere
