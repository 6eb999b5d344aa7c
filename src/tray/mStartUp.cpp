#include "tray/mStartUp.h"

#include <exception>

#include "platform/AppError.h"

namespace tallowmere {

namespace {

// A list that cannot even be read may still hold the entry.
bool MayHold(RegStuff& regStuff, RegistryRoot list, const std::string& fileName) {
  try {
    return regStuff.HasEntry(list, fileName);
  } catch (const AppError&) {
    return true;
  }
}

}  // namespace

void mStartUp::AddEntry() {
  const std::string fileName = environment_.ProgramFileName();
  try {
    regStuff_.WriteEntry(RegistryRoot::LocalMachine, fileName);
  } catch (const AppError&) {
    regStuff_.WriteEntry(RegistryRoot::CurrentUser, fileName);
  }
}

void mStartUp::RemoveEntry() {
  const std::string fileName = environment_.ProgramFileName();
  std::exception_ptr failure;
  for (RegistryRoot list : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
    try {
      regStuff_.DeleteEntry(list, fileName);
    } catch (const AppError&) {
      if (!failure && MayHold(regStuff_, list, fileName)) failure = std::current_exception();
    }
  }
  if (failure) std::rethrow_exception(failure);
}

}  // namespace tallowmere
