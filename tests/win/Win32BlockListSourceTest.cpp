#include "platform/win32/Win32BlockListSource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <thread>

#include "engine/BlockList.h"
#include "platform/win32/Handle.h"
#include "win/support/FileBytes.h"
#include "win/support/TestFolder.h"

namespace tallowmere::test {
namespace {

// Points TEMP of this process at a fresh folder, and puts the old value back.
class Win32BlockListSourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t old[32768];
    const DWORD n = GetEnvironmentVariableW(L"TEMP", old, 32768);
    if (n > 0 && n < 32768) oldTemp_ = std::wstring(old, n);
    SetTemp(folder_.Path());
  }
  void TearDown() override {
    SetEnvironmentVariableW(L"TEMP", oldTemp_ ? oldTemp_->c_str() : nullptr);
  }

  static void SetTemp(const std::wstring& value) {
    SetEnvironmentVariableW(L"TEMP", value.c_str());
  }
  std::wstring ListPath() const { return folder_.File(L"xsettings.txt"); }

  // None when the read failed.
  std::optional<std::string> Read(std::size_t bufferSize = kBlockListReadLimit + 1) {
    std::string buffer(bufferSize, '\0');
    const std::optional<std::size_t> read = source_.Read(buffer);
    if (!read) return std::nullopt;
    buffer.resize(*read);
    return buffer;
  }

  TestFolder folder_;
  Win32BlockListSource source_{kBlockListFolderVariable, kBlockListFileName};
  std::optional<std::wstring> oldTemp_;
};

TEST_F(Win32BlockListSourceTest, ReadsTheFileInTemp) {
  WriteFileBytes(ListPath(), "65,83,513,\r\n");
  EXPECT_EQ(Read(), "65,83,513,\r\n");
}

TEST_F(Win32BlockListSourceTest, TakesTempAnewOnEveryCall) {
  WriteFileBytes(ListPath(), "65,\r\n");
  TestFolder other;
  WriteFileBytes(other.File(L"xsettings.txt"), "66,\r\n");
  EXPECT_EQ(Read(), "65,\r\n");
  SetTemp(other.Path());
  EXPECT_EQ(Read(), "66,\r\n");
}

TEST_F(Win32BlockListSourceTest, TrailingBackslashInTempStillFindsTheFile) {
  WriteFileBytes(ListPath(), "65,\r\n");
  SetTemp(folder_.Path().wstring() + L"\\");
  EXPECT_EQ(Read(), "65,\r\n");
}

TEST_F(Win32BlockListSourceTest, NoFileToReadFailsAnEmptyOneReadsEmpty) {
  EXPECT_EQ(Read(), std::nullopt) << "no file";
  WriteFileBytes(ListPath(), "");
  EXPECT_EQ(Read(), "") << "an empty file";
  DeleteFileW(ListPath().c_str());
  ASSERT_TRUE(CreateDirectoryW(ListPath().c_str(), nullptr));
  EXPECT_EQ(Read(), std::nullopt) << "a folder of that name";
  SetTemp(folder_.File(L"gone"));
  EXPECT_EQ(Read(), std::nullopt) << "no such folder";
  SetTemp(std::wstring(32760, L'x'));
  EXPECT_EQ(Read(), std::nullopt) << "TEMP too long for a path";
}

// A pipe answers only when its other end writes: the hooks never wait for one.
TEST_F(Win32BlockListSourceTest, APipeOfThatNameFails) {
  const wchar_t* name = L"\\\\.\\pipe\\xsettings.txt";
  Handle pipe(CreateNamedPipeW(name, PIPE_ACCESS_OUTBOUND, 0, 1, 64, 64, 0, nullptr));
  ASSERT_TRUE(pipe.Valid());
  std::thread writer([&] {
    DWORD written = 0;
    if (ConnectNamedPipe(pipe.Get(), nullptr) || GetLastError() == ERROR_PIPE_CONNECTED)
      ::WriteFile(pipe.Get(), "65,", 3, &written, nullptr);
  });
  SetTemp(L"\\\\.\\pipe");
  EXPECT_EQ(Read(), std::nullopt);
  // Ends the writer's wait for a reader, should the read not have opened the pipe.
  Handle reader(CreateFileW(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  writer.join();
}

TEST_F(Win32BlockListSourceTest, FileHeldWithoutSharingFails) {
  WriteFileBytes(ListPath(), "65,\r\n");
  {
    Handle holder(CreateFileW(ListPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder.Valid());
    EXPECT_EQ(Read(), std::nullopt);
  }
  EXPECT_EQ(Read(), "65,\r\n");
}

TEST_F(Win32BlockListSourceTest, HugeFileReadsOnlyTheBufferFromItsStart) {
  std::string huge = "65,66,";
  huge.resize(8 << 20, '7');
  WriteFileBytes(ListPath(), huge);
  EXPECT_EQ(Read(), huge.substr(0, kBlockListReadLimit + 1));
  EXPECT_EQ(Read(3), "65,");
}

// Unset and empty TEMP both put the file at the root of the current drive.
class UnsetTemp : public Win32BlockListSourceTest, public ::testing::WithParamInterface<bool> {};

TEST_P(UnsetTemp, ReadsTheFileAtTheRootOfTheCurrentDrive) {
  wchar_t current[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, current);
  ASSERT_TRUE(SetCurrentDirectoryW(folder_.Path().c_str()));
  const std::wstring atRoot = folder_.Path().wstring().substr(0, 2) + L"\\xsettings.txt";
  if (GetParam()) {
    SetEnvironmentVariableW(L"TEMP", nullptr);
  } else {
    SetTemp(L"");
  }
  EXPECT_EQ(Read(), std::nullopt);
  WriteFileBytes(atRoot, "65,\r\n");
  EXPECT_EQ(Read(), "65,\r\n");
  DeleteFileW(atRoot.c_str());
  SetCurrentDirectoryW(current);
}

INSTANTIATE_TEST_SUITE_P(UnsetOrEmpty, UnsetTemp, ::testing::Bool());

}  // namespace
}  // namespace tallowmere::test
