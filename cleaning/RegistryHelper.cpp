#include "cleaning/RegistryHelper.h"

#include <algorithm>

#include "cleaning/trace_entry.h"
#include "platform/registry/advapi32.h"
#include "support/key_holder.h"
#include "support/path_helpers.h"

using platform::forms::DefaultInstance;

namespace {

// Query, set, create subkey, enumerate, notify, create link: no delete right.
constexpr REGSAM kExecutorAccess = 0x3F;
constexpr DWORD kIndexLimit = 16000;
constexpr DWORD kKeyNameBuffer = 256;
constexpr DWORD kDataBuffer = 1024;
constexpr DWORD kEnumBuffer = 250;
// The longest value name the NT family stores, plus its NUL.
constexpr DWORD kLongestValueName = 16384;

// The name of value `index`, without its data (so data of any size lists);
// false past the end or when the value cannot be read.
bool ValueNameAt(HKEY key, DWORD index, DWORD bufferSize, std::string& name, LONG& result) {
  std::string buffer(bufferSize, '\0');
  DWORD cch = bufferSize;
  result = RegEnumValueA(key, index, buffer.data(), &cch, nullptr, nullptr, nullptr, nullptr);
  if (result == ERROR_MORE_DATA && bufferSize < kLongestValueName)
    return ValueNameAt(key, index, kLongestValueName, name, result);
  if (result != ERROR_SUCCESS) return false;
  name = TrimNullChars(buffer);
  return true;
}

// Fills the scratch lists with the subkeys and the values of `key`.
void ListKey(HKEY key, RegistryForm& lists) {
  for (DWORD i = 0; i <= kIndexLimit; ++i) {
    char name[kKeyNameBuffer] = {};
    DWORD cch = kKeyNameBuffer;  // reset for every index
    FILETIME written{};
    LONG result = RegEnumKeyExA(key, i, name, &cch, nullptr, nullptr, nullptr, &written);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_SUCCESS) lists.lstKey.AddItem(std::string(name, cch));
  }
  for (DWORD i = 0; i <= kIndexLimit; ++i) {
    std::string name;
    LONG result = ERROR_SUCCESS;
    if (ValueNameAt(key, i, kKeyNameBuffer, name, result)) lists.lstValue.AddItem(name);
    if (result == ERROR_NO_MORE_ITEMS) break;
  }
}

// Deletes the listed values, then the listed subkeys; true when the last
// single deletion failed.
bool DeleteListed(HKEY key, RegistryForm& lists) {
  bool lastFailed = false;
  for (int i = 0; i < lists.lstValue.ListCount(); ++i)
    lastFailed = RegDeleteValueA(key, lists.lstValue.List(i).c_str()) != ERROR_SUCCESS;
  for (int i = 0; i < lists.lstKey.ListCount(); ++i)
    lastFailed = RegDeleteKeyA(key, lists.lstKey.List(i).c_str()) != ERROR_SUCCESS;
  return lastFailed;
}

std::string WithoutQuotes(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
  return text;
}

// Value `index` read through buffers of `nameSize` and `dataSize` bytes,
// growing either when the platform says it is too small.
LONG EnumValue(HKEY key, DWORD index, std::string& name, std::string& data) {
  DWORD nameSize = kEnumBuffer, dataSize = kEnumBuffer;
  for (;;) {
    std::string nameBuffer(nameSize, ' '), dataBuffer(dataSize, ' ');
    DWORD cch = nameSize, cb = dataSize, type = 0;
    LONG result = RegEnumValueA(key, index, nameBuffer.data(), &cch, nullptr, &type,
                                reinterpret_cast<BYTE*>(dataBuffer.data()), &cb);
    if (result != ERROR_MORE_DATA) {
      if (result == ERROR_SUCCESS) {
        name = nameBuffer.substr(0, cch);
        data = dataBuffer.substr(0, std::min(cb, dataSize));
      }
      return result;
    }
    // The platform fills the name and the needed size when only the data is
    // too long; otherwise the name is.
    if (cb > dataSize) {
      dataSize = cb;
    } else if (nameSize < kLongestValueName) {
      nameSize = kLongestValueName;
    } else {
      return result;
    }
  }
}

}  // namespace

RegistryForm& Registry() { return DefaultInstance<RegistryForm>(); }

bool RunTraceEntry(const std::string& text) {
  TraceEntry entry = ParseTraceEntry(text);
  if (entry.malformed || !entry.root) return true;
  KeyHolder key;
  if (RegOpenKeyExA(*entry.root, entry.path.c_str(), 0, kExecutorAccess, key.out()) != ERROR_SUCCESS) return true;
  switch (entry.kind) {
    case TraceKind::Value:
      return RegDeleteValueA(key.get(), entry.valueName.c_str()) != ERROR_SUCCESS;
    case TraceKind::Plain:
      return false;
    case TraceKind::Key:
    case TraceKind::Contents:
      break;
  }
  RegistryForm& lists = Registry();
  lists.lstKey.Clear();
  lists.lstValue.Clear();
  ListKey(key.get(), lists);
  bool lastFailed = DeleteListed(key.get(), lists);
  if (entry.kind == TraceKind::Contents) return lastFailed;
  return RegDeleteKeyA(key.get(), "") != ERROR_SUCCESS;
}

std::string ReadTraceValue(const std::string& text, std::string* rest) {
  TraceEntry entry = ParseTraceEntry(text);
  if (text.find('\\') == std::string::npos) return "";
  if (rest) *rest = entry.rest;
  std::string path, valueName;
  if (entry.rest.find("Value`") == std::string::npos) return "";
  if (!SplitValueEntry(entry.rest, path, valueName) || !entry.root) return "";
  KeyHolder key;
  if (RegOpenKeyExA(*entry.root, path.c_str(), 0, kExecutorAccess, key.out()) != ERROR_SUCCESS) return "";
  std::string buffer(kDataBuffer, '\0');
  DWORD cb = kDataBuffer, type = 0;
  if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &cb) !=
      ERROR_SUCCESS)
    return "";
  buffer.resize(cb);
  if (!buffer.empty() && buffer.back() == '\0') buffer.pop_back();
  buffer.resize(std::min(buffer.size(), buffer.find('\0')));
  return platform::forms::Trim(buffer);
}

int EnumTraceValues(const std::string& text, std::vector<std::string>& names, std::vector<std::string>& data,
                    std::string* canonical) {
  names.resize(1);
  data.resize(1);
  names[0].clear();
  data[0].clear();
  if (text.find('\\') == std::string::npos) return 0;
  TraceEntry entry = ParseTraceEntry(text);
  if (canonical) *canonical = entry.rootName + "\\" + entry.rest;
  if (!entry.root) return 0;
  KeyHolder key;
  if (RegOpenKeyA(*entry.root, entry.rest.c_str(), key.out()) != ERROR_SUCCESS) return 0;
  int count = 0;
  for (DWORD i = 0; i <= kIndexLimit; ++i) {
    std::string name, bytes;
    LONG result = EnumValue(key.get(), i, name, bytes);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) continue;
    names.resize(count + 1);
    data.resize(count + 1);
    names[count] = StripNulls(name);
    data[count] = WithoutQuotes(StripNulls(bytes));
    ++count;
  }
  return count;
}

bool TraceKeyExists(const std::string& text, std::string* rest) {
  if (text == "0") return false;
  if (text.find('\\') == std::string::npos) return false;
  TraceEntry entry = ParseTraceEntry(text);
  if (rest) *rest = entry.rest;
  if (!entry.root) return false;
  KeyHolder key;
  return RegOpenKeyA(*entry.root, entry.rest.c_str(), key.out()) == ERROR_SUCCESS;
}
