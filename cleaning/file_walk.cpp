#include "cleaning/file_walk.h"

#include <vector>

#include "cleaning/file_actions.h"
#include "platform/runtime/conversions.h"
#include "platform/forms/strings.h"
#include "support/message_loop.h"

namespace cleaning {

namespace {

struct Walk {
  const std::string& pattern;
  const WalkActions& actions;
  bool ended = false;

  bool Stopped() {
    if (!ended && actions.stopped && actions.stopped()) ended = true;
    return ended;
  }

  std::uint64_t Level(const std::string& folder) {
    if (actions.onListedFile) return ListedLevel(folder);
    std::vector<std::string> subfolders;
    ForEachEntry(folder, "*", [&](const FoundEntry& entry) {
      if (entry.isDirectory()) subfolders.push_back(entry.name);
      return true;
    });
    std::uint64_t total = 0;
    ForEachEntry(folder, pattern, [&](const FoundEntry& entry) {
      if (Stopped()) return false;
      YieldToMessageLoop();
      if (!entry.isDirectory()) actions.onFile(folder + entry.name, entry.size, total);
      return true;
    });
    return total + Subfolders(folder, subfolders);
  }

  // The same walk over one held listing per folder: each file is handed
  // over as the listing found it.
  std::uint64_t ListedLevel(const std::string& folder) {
    FolderToEmpty here(folder);
    std::vector<std::string> subfolders;
    here.ForEachEntry("*", [&](const FoundEntry& entry) {
      if (entry.isDirectory()) subfolders.push_back(entry.name);
      return true;
    });
    std::uint64_t total = 0;
    auto visit = [&](const platform::files::Entry& entry) {
      if (Stopped()) return false;
      YieldToMessageLoop();
      if (!entry.directory) actions.onListedFile(folder + entry.name, entry.size, here.File(entry), total);
      return true;
    };
    if (SearchFindsEveryName(pattern)) {
      // The first listing holds the file pass, and stays until the next one.
      for (const auto& entry : here.listing())
        if (!visit(entry)) break;
    } else {
      here.ForEachEntry(pattern, [&](const FoundEntry& entry) { return visit(*entry.listed); });
    }
    return total + Subfolders(folder, subfolders);
  }

  std::uint64_t Subfolders(const std::string& folder, const std::vector<std::string>& subfolders) {
    std::uint64_t total = 0;
    for (const auto& name : subfolders) {
      if (Stopped()) break;
      std::string subfolder = folder + name;
      if (actions.enter && !actions.enter(subfolder)) continue;
      total += Level(subfolder + "\\");
      if (actions.afterSubfolder) actions.afterSubfolder(subfolder);
    }
    return total;
  }
};

std::optional<double> Bound(const std::string& text, std::uint64_t unit, bool& valid) {
  if (!platform::vb::IsNumeric(text)) {
    valid = false;
    return std::nullopt;
  }
  double value = platform::vb::Val(text);
  if (value == -1) return std::nullopt;
  return value * static_cast<double>(unit);
}

}  // namespace

std::uint64_t WalkFiles(const std::string& folder, const std::string& pattern, const WalkActions& actions) {
  Walk walk{pattern, actions};
  return walk.Level(WithTrailingBackslash(folder));
}

SizeBounds::SizeBounds(const std::string& lower, const std::string& upper, std::uint64_t unit) {
  lower_ = Bound(lower, unit, valid_);
  upper_ = Bound(upper, unit, valid_);
}

bool SizeBounds::Takes(std::uint64_t size) const {
  auto bytes = static_cast<double>(size);
  return (!lower_ || bytes >= *lower_) && (!upper_ || bytes <= *upper_);
}

}  // namespace cleaning
