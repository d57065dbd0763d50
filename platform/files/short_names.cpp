#include "platform/files/short_names.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "platform/base/cp1252.h"

namespace platform::files {
namespace {

bool IsShortNameChar(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c >= 0x80) return true;
  static constexpr std::string_view kPunctuation = "!#$%&'()-@^_{}~`";
  return kPunctuation.find(static_cast<char>(c)) != std::string_view::npos;
}

// Per byte: whether a short name may hold it, and what an alias makes of
// it (upper-cased, "+,;=[]" made "_", 0 for dropped). Names are checked by
// the thousand in a big folder.
struct ShortNameTables {
  std::array<bool, 256> valid{};
  std::array<char, 256> inAlias{};
  ShortNameTables() {
    for (unsigned c = 0; c < 256; ++c) {
      valid[c] = IsShortNameChar(static_cast<unsigned char>(c));
      auto upper = static_cast<unsigned char>(UpperChar(static_cast<char>(c)));
      if (std::string_view("+,;=[]").find(static_cast<char>(upper)) != std::string_view::npos)
        inAlias[c] = '_';
      else if (IsShortNameChar(upper))
        inAlias[c] = static_cast<char>(upper);
    }
  }
};

const ShortNameTables& Tables() {
  static const ShortNameTables tables;
  return tables;
}

bool IsShortPart(std::string_view part, std::size_t maxLength) {
  if (part.empty() || part.size() > maxLength) return false;
  const auto& valid = Tables().valid;
  for (unsigned char c : part)
    if (!valid[c]) return false;
  return true;
}

// `part` as an alias holds it, appended to `out`.
void AppendCleanAliasPart(std::string_view part, std::string& out) {
  const auto& inAlias = Tables().inAlias;
  for (unsigned char c : part)
    if (char kept = inAlias[c]) out += kept;
}

// Adds `n` to the stem's run of numbers known taken; a number apart from
// the run starts a new one (either run is true, the newer is the one used).
void KnowTaken(AliasNumbers::Run& run, unsigned n) {
  if (run.last != 0 && n == run.last + 1)
    run.last = n;
  else if (run.last != 0 && n + 1 == run.first)
    run.first = n;
  else if (run.last == 0 || n < run.first || n > run.last)  // outside the run
    run = {n, n};
}

}  // namespace

bool IsValidShortName(std::string_view name) {
  std::size_t dot = name.find('.');
  if (dot == std::string_view::npos) return IsShortPart(name, 8);
  return IsShortPart(name.substr(0, dot), 8) && IsShortPart(name.substr(dot + 1), 3);
}

std::string MakeAlias(std::string_view longName, const std::function<bool(const std::string&)>& taken,
                      AliasNumbers* numbers) {
  std::size_t lastDot = longName.rfind('.');
  std::string base, extension;
  AppendCleanAliasPart(longName.substr(0, lastDot), base);
  if (lastDot != std::string_view::npos) AppendCleanAliasPart(longName.substr(lastDot + 1), extension);
  if (extension.size() > 3) extension.resize(3);
  unsigned* last = nullptr;
  if (numbers) {
    std::string group(base, 0, 6);
    group += '.';
    group += extension;
    last = &numbers->lastGiven[group];
  }
  // Built in place for each number tried: a big folder tries thousands.
  std::string alias, stem;
  AliasNumbers::Run* run = nullptr;
  std::size_t runStem = std::string::npos;  // stem length `run` belongs to
  for (unsigned n = last ? *last + 1 : 1;; ++n) {
    char digits[16];
    std::size_t count = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, n).ptr - digits);
    const std::size_t stemLength = std::min<std::size_t>({6, 8 - (count + 1), base.size()});
    if (numbers && stemLength != runStem) {
      stem.assign(base, 0, stemLength);
      stem += '.';
      stem += extension;
      run = &numbers->takenRuns[stem];
      runStem = stemLength;
    }
    if (run && n >= run->first && n <= run->last) {
      n = run->last;  // the whole run is taken
      continue;
    }
    alias.assign(base, 0, stemLength);
    alias += '~';
    alias.append(digits, count);
    if (!extension.empty()) {
      alias += '.';
      alias += extension;
    }
    const bool inUse = taken(alias);
    if (run) KnowTaken(*run, n);
    if (inUse) continue;
    if (last) *last = n;
    return alias;
  }
}

}  // namespace platform::files
