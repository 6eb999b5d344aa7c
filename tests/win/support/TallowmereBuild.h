#pragma once

#include <filesystem>

#include "win/support/TestFolder.h"

namespace tallowmere::test {

// This test program's own file.
std::filesystem::path TestProgram();

// The folder that holds this test program, where the build puts
// Tallowmere.exe too.
std::filesystem::path TestProgramFolder();

// Tallowmere.exe as the build made it.
std::filesystem::path BuiltProgram();

// Copies the built program, with the files the build puts beside it (the
// hand pointer and the default block list), into a fresh program folder
// inside the test's folder, so that files a test changes there concern that
// test only. Returns the copied program's path.
std::filesystem::path InstallProgram(const TestFolder& folder);

}  // namespace tallowmere::test
