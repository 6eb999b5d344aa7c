#pragma once

#include <filesystem>

#include "e2e/support/TestFolder.h"

namespace tallowmere::e2e {

// This test program's own file.
std::filesystem::path TestProgram();

// The folder that holds this test program, where the build puts
// Tallowmere.exe too.
std::filesystem::path TestProgramFolder();

// Tallowmere.exe as the build made it.
std::filesystem::path BuiltProgram();

// Copies the built program into a fresh program folder inside the test's
// folder, so that files a test puts beside it concern that test only.
// Returns the copy's path.
std::filesystem::path InstallProgram(const TestFolder& folder);

}  // namespace tallowmere::e2e
