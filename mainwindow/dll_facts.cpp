#include "mainwindow/dll_facts.h"

#include <cstring>

#include "platform/files/kernel32_files.h"

namespace tessaly {
namespace {

constexpr char kStandInMark[] = "MZ-STANDIN";
constexpr DWORD kHeaderBytes = 512;

}  // namespace

std::string StandInFileVersion(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  char buffer[kHeaderBytes];
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer, &read, nullptr);
  CloseHandle(file);
  std::string header(buffer, read);
  header = header.substr(0, header.find_first_of("\r\n"));
  if (header.rfind(kStandInMark, 0) != 0) return "";
  std::size_t field = header.find(" version=");
  if (field == std::string::npos) return "";
  std::size_t start = field + std::strlen(" version=");
  return header.substr(start, header.find(' ', start) - start);
}

double FileSizeOf(const std::string& path) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(path.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  FindClose(find);
  return static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow;
}

}  // namespace tessaly
