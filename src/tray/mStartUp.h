#pragma once

#include <string_view>

#include "platform/Environment.h"
#include "platform/Registry.h"
#include "tray/RegStuff.h"

namespace tallowmere {

// What the user is told when Windows refuses a change of the start-up list;
// the system's reason follows on its own line.
inline constexpr std::string_view kStartupAddFailed =
    "Tallowmere could not be added to the Windows start-up list.";
inline constexpr std::string_view kStartupRemoveFailed =
    "Tallowmere could not be removed from the Windows start-up list.";

// Enters the running program into the Windows start-up list and takes it out
// again. The entry names the program's own executable, whatever else its
// folder holds. Failures throw AppError with the system's reason.
class mStartUp {
 public:
  mStartUp(Registry& registry, Environment& environment)
      : environment_(environment), regStuff_(registry, environment) {}

  // The machine's list needs administrator rights; a standard user (or an
  // administrator without elevation) gets the same entry in their own list,
  // which Windows starts at their log-on all the same. Fails only when
  // neither list takes it, with the user's list's reason.
  void AddEntry();
  // Takes the entry out of both lists. A list that refuses is a failure only
  // when the entry is still in it afterwards.
  void RemoveEntry();

 private:
  Environment& environment_;
  RegStuff regStuff_;
};

}  // namespace tallowmere
