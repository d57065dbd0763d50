#include "platform/base/runtime_error.h"

#include <utility>

namespace platform {

RuntimeError::RuntimeError(std::int32_t number, std::string source, std::string description)
    : number_(number), source_(std::move(source)), description_(std::move(description)) {}

namespace {
struct ErrorText {
  std::int32_t number;
  const char* text;
};

constexpr ErrorText kErrorTexts[] = {
    {5, "Invalid procedure call or argument"},
    {6, "Overflow"},
    {7, "Out of memory"},
    {9, "Subscript out of range"},
    {11, "Division by zero"},
    {13, "Type mismatch"},
    {28, "Out of stack space"},
    {52, "Bad file name or number"},
    {53, "File not found"},
    {54, "Bad file mode"},
    {55, "File already open"},
    {57, "Device I/O error"},
    {58, "File already exists"},
    {61, "Disk full"},
    {62, "Input past end of file"},
    {67, "Too many files"},
    {68, "Device unavailable"},
    {70, "Permission denied"},
    {71, "Disk not ready"},
    {75, "Path/File access error"},
    {76, "Path not found"},
    {91, "Object variable or With block variable not set"},
    {340, "Control array element 'n' doesn't exist"},
    {343, "Object not an array"},
    {380, "Invalid property value"},
    {383, "'Text' property is read-only"},
    {429, "ActiveX component can't create object"},
    {438, "Object doesn't support this property or method"},
    {453, "Specified DLL function not found"},
    {521, "Can't open Clipboard"},
    {32755, "Cancel was selected."},
    {35602, "Key is not unique in collection"},
    {35603, "Invalid key"},
};

struct Win32ToRuntime {
  DWORD win32;
  std::int32_t runtime;
};

constexpr Win32ToRuntime kWin32ToRuntime[] = {
    {2, 53}, {3, 76}, {5, 75}, {15, 68}, {19, 70}, {21, 71}, {32, 70},
    {33, 70}, {80, 58}, {112, 61}, {123, 52}, {206, 76},
};
}  // namespace

std::string StandardErrorText(std::int32_t number) {
  for (const auto& entry : kErrorTexts)
    if (entry.number == number) return entry.text;
  return {};
}

void RaiseRuntimeError(std::int32_t number) {
  throw RuntimeError(number, kDefaultErrorSource, StandardErrorText(number));
}

void RaiseRuntimeError(std::int32_t number, const std::string& description) {
  throw RuntimeError(number, kDefaultErrorSource, description);
}

std::int32_t RuntimeErrorForWin32(DWORD win32Code) {
  for (const auto& entry : kWin32ToRuntime)
    if (entry.win32 == win32Code) return entry.runtime;
  return 75;
}

}  // namespace platform
