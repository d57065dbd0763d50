// Feeds arbitrary bytes to the INI text model: parsing, look-ups and every
// edit must stay inside the text; every name listed must be found again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_machine.h"
#include "platform/profile/ini_text.h"

namespace ini = platform::profile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = tessaly::fuzz::Bytes(data, size);
  ini::IniDocument document(bytes);
  std::string section = "Section", key = "Key";
  for (const auto& name : document.SectionNames()) {
    const ini::IniSection* found = document.FindSection(name);
    if (!found) __builtin_trap();
    section = name;
    for (const auto& keyName : document.KeyNames(*found)) {
      if (!document.FindKey(*found, keyName)) __builtin_trap();
      key = keyName;
    }
    document.KeyLines(*found);
  }
  ini::IniDocument reread(ini::SetIniValue(bytes, section, key, "value"));
  reread.SectionNames();
  ini::RemoveIniKey(bytes, section, key);
  ini::RemoveIniSection(bytes, section);
  ini::ReplaceIniSection(bytes, section, {"a=1", "b=2"});
  return 0;
}
