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

// What one pass over a folder has learnt of its aliases' numbers. While
// the pass lasts the taken aliases only grow (each alias it returns is
// taken from then on), so what it learnt stays true and lets the search
// step over numbers instead of asking of each.
struct AliasNumbers {
  // Numbers known taken, as one run per stem (what stands before the "~",
  // with the extension): a big folder's groups share their shorter stems.
  struct Run {
    unsigned first = 0, last = 0;
  };
  // The last number given, by alias base and extension: every lower one
  // was taken then, so the next search starts above it.
  std::unordered_map<std::string, unsigned> lastGiven;
  std::unordered_map<std::string, Run> takenRuns;
};

// The alias with the lowest number N >= 1 for which `taken(alias)` is false
// (above the last one `numbers` gave for its base, when given).
// `taken` receives upper-case aliases.
std::string MakeAlias(std::string_view longName, const std::function<bool(const std::string&)>& taken,
                      AliasNumbers* numbers = nullptr);

}  // namespace platform::files
