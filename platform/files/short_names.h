#pragma once
// 8.3 short names: which names are their own short name, and the alias a
// long name gets ("Long File.txt" -> "LONGFI~1.TXT").
#include <functional>
#include <string>
#include <unordered_map>
#include <string_view>

namespace platform::files {

// Base of 1-8 characters, optionally "." and 1-3 characters, only letters,
// digits, bytes >= 0x80 and ! # $ % & ' ( ) - @ ^ _ { } ~ `.
bool IsValidShortName(std::string_view name);

// The alias with the lowest number N >= 1 for which `taken(alias)` is false.
// `taken` receives upper-case aliases.
// Numbers already given in one pass over a folder, by alias base and
// extension: every lower number was taken then, so the next search starts
// above them instead of at 1.
using AliasNumbers = std::unordered_map<std::string, unsigned>;
std::string MakeAlias(std::string_view longName, const std::function<bool(const std::string&)>& taken,
                      AliasNumbers* numbers = nullptr);

}  // namespace platform::files
