// No Windows path reaches outside the machine: not "..", not a host link,
// not a host path, not UNC or device names.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "platform/files/file_content.h"
#include "platform/files/kernel32_files.h"
#include "support/temp_machine.h"

namespace {

using tessaly::testing::DriveTableMachine;
using tessaly::testing::TempMachine;

// Every host path under `root`, except the machine folder.
std::set<std::string> HostSnapshot(const std::filesystem::path& root, const std::filesystem::path& skip) {
  std::set<std::string> paths;
  for (auto it = std::filesystem::recursive_directory_iterator(root); it != std::filesystem::recursive_directory_iterator(); ++it) {
    if (it->path() == skip) {
      it.disable_recursion_pending();
      continue;
    }
    paths.insert(it->path().string());
  }
  return paths;
}

std::string ReadHost(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(HostilePaths, NothingOutsideTheMachineIsReadOrWritten) {
  TempMachine m(DriveTableMachine());
  m.Put("inside.txt", "inside");
  m.Put("dir/keep.txt", "keep");
  std::filesystem::path sentinel = m.outside() / "sentinel.txt";
  // Links inside the drive that point out of the machine.
  std::filesystem::create_symlink(sentinel, m.drive() / "link.txt");
  std::filesystem::create_directory_symlink(m.outside(), m.drive() / "linkdir");
  std::filesystem::create_symlink("../../../outside", m.drive() / "dir" / "up");
  ASSERT_EQ(::mkfifo((m.drive() / "fifo").c_str(), 0644), 0);
  std::filesystem::path tempRoot = m.outside().parent_path();
  auto before = HostSnapshot(tempRoot, m.machineFolder());

  std::string outsideHost = sentinel.string();
  std::string longPath = "C:";
  while (longPath.size() < 280) longPath += "\\abcdefgh";
  struct Case {
    std::string path;
    DWORD error;  // what GetFileAttributesA answers
  } cases[] = {
      {"C:\\..\\..\\outside\\sentinel.txt", ERROR_PATH_NOT_FOUND},
      {"C:\\..\\..\\..\\..\\..\\..\\..\\..\\etc\\passwd", ERROR_PATH_NOT_FOUND},
      {"..\\..\\..\\..\\..\\outside\\sentinel.txt", ERROR_PATH_NOT_FOUND},
      {"C:\\link.txt", ERROR_FILE_NOT_FOUND},
      {"C:\\LINK.TXT", ERROR_FILE_NOT_FOUND},
      {"C:\\linkdir\\sentinel.txt", ERROR_PATH_NOT_FOUND},
      {"C:\\dir\\up\\sentinel.txt", ERROR_PATH_NOT_FOUND},
      {"C:\\fifo", ERROR_FILE_NOT_FOUND},
      {outsideHost, ERROR_PATH_NOT_FOUND},
      {"/etc/passwd", ERROR_PATH_NOT_FOUND},
      {"\\\\server\\share\\sentinel.txt", ERROR_BAD_NETPATH},
      {"//localhost/c$/x", ERROR_BAD_NETPATH},
      {"\\\\.\\C:", ERROR_INVALID_NAME},
      {"\\\\.\\PhysicalDrive0", ERROR_INVALID_NAME},
      {"\\\\?\\C:\\inside.txt", ERROR_INVALID_NAME},
      {"CON", ERROR_INVALID_NAME},
      {"C:\\dir\\AUX.txt", ERROR_INVALID_NAME},
      {"nul", ERROR_INVALID_NAME},
      {"C:\\com3", ERROR_INVALID_NAME},
      {longPath, ERROR_FILENAME_EXCED_RANGE},
      {"C:\\in<side.txt", ERROR_INVALID_NAME},
      {"C:\\inside.txt:stream", ERROR_INVALID_NAME},
      {"C:\\a\tb", ERROR_INVALID_NAME},
      {"Q:\\x.txt", ERROR_PATH_NOT_FOUND},
      {"D:\\x.txt", ERROR_NOT_READY},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const char* p = c.path.c_str();
    EXPECT_EQ(GetFileAttributesA(p), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), c.error);

    HANDLE h = CreateFileA(p, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(h, "evil", 4, &written, nullptr);
      CloseHandle(h);
    }
    std::string bytes;
    platform::files::ReadFileContent(p, bytes);
    EXPECT_NE(bytes, "sentinel");
    platform::files::WriteFileContent(c.path + "2", "evil");
    DeleteFileA(p);
    CreateDirectoryA(p, nullptr);
    SetFileAttributesA(p, FILE_ATTRIBUTE_READONLY);
    MoveFileA("C:\\inside.txt", p);
    CopyFileA(p, "C:\\copied.txt", FALSE);
    CopyFileA("C:\\inside.txt", p, FALSE);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((c.path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do EXPECT_STRNE(data.cFileName, "sentinel.txt");
      while (FindNextFileA(find, &data));
      FindClose(find);
    }
    ASSERT_EQ(ReadHost(sentinel), "sentinel");
  }
  EXPECT_EQ(ReadHost(sentinel), "sentinel");
  EXPECT_EQ(HostSnapshot(tempRoot, m.machineFolder()), before);
  // Nothing came into the machine from outside either.
  EXPECT_EQ(GetFileAttributesA("C:\\copied.txt"), INVALID_FILE_ATTRIBUTES);
  struct stat st {};
  EXPECT_EQ(::lstat((m.drive() / "linkdir").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(HostilePaths, LinksAndSpecialFilesAreNotListed) {
  TempMachine m(DriveTableMachine());
  m.Put("a.txt", "a");
  std::filesystem::create_symlink(m.outside() / "sentinel.txt", m.drive() / "b.txt");
  std::filesystem::create_directory_symlink(m.outside(), m.drive() / "c");
  ASSERT_EQ(::mkfifo((m.drive() / "d").c_str(), 0644), 0);
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA("C:\\*", &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  std::vector<std::string> names{data.cFileName};
  while (FindNextFileA(find, &data)) names.push_back(data.cFileName);
  FindClose(find);
  // The root also lists the machine's own folders; of the entries made here
  // only the plain file shows.
  EXPECT_EQ(std::ranges::count(names, "a.txt"), 1);
  for (const char* hidden : {"b.txt", "c", "d"}) EXPECT_EQ(std::ranges::count(names, hidden), 0) << hidden;
}

}  // namespace
