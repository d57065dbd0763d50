#include "platform/registry/registry_key.h"

#include <algorithm>

#include "platform/base/cp1252.h"

namespace platform::registry {
namespace {

// Above this many values a key keeps a hash index, so that building a large
// key stays linear.
constexpr std::size_t kIndexThreshold = 256;

std::uint32_t NameHash(std::string_view name) {
  std::uint32_t hash = 2166136261u;
  for (char c : name) {
    hash ^= static_cast<unsigned char>(UpperChar(c));
    hash *= 16777619u;
  }
  return hash;
}

}  // namespace

Key::Key(std::string name, Key* parent, Hive* hive, bool isVolatile, std::int64_t lastWrite)
    : name_(std::move(name)), parent_(parent), hive_(hive), volatile_(isVolatile), lastWrite_(lastWrite) {}

std::size_t Key::LowerBound(std::string_view name) const {
  auto it = std::lower_bound(subkeys_.begin(), subkeys_.end(), name,
                             [](const std::shared_ptr<Key>& key, std::string_view n) { return CompareNoCase(key->name_, n) < 0; });
  return static_cast<std::size_t>(it - subkeys_.begin());
}

Key* Key::FindSubkey(std::string_view name) const {
  std::size_t i = LowerBound(name);
  if (i < subkeys_.size() && EqualsNoCase(subkeys_[i]->name_, name)) return subkeys_[i].get();
  return nullptr;
}

Key& Key::AddSubkey(std::string_view name, bool isVolatile, std::int64_t lastWrite) {
  std::size_t i = LowerBound(name);
  auto child = std::make_shared<Key>(std::string(name), this, hive_, isVolatile || volatile_, lastWrite);
  child->readOnly_ = readOnly_;
  Key& ref = *child;
  subkeys_.insert(subkeys_.begin() + static_cast<std::ptrdiff_t>(i), std::move(child));
  return ref;
}

void Key::RemoveSubkey(Key& child) {
  std::size_t i = LowerBound(child.name_);
  if (i >= subkeys_.size() || subkeys_[i].get() != &child) return;
  std::shared_ptr<Key> keep = subkeys_[i];
  subkeys_.erase(subkeys_.begin() + static_cast<std::ptrdiff_t>(i));
  keep->MarkSubtreeDeleted();
}

void Key::MarkSubtreeDeleted() {
  deleted_ = true;
  parent_ = nullptr;
  for (auto& child : subkeys_) child->MarkSubtreeDeleted();
  // Nobody can reach the children any more; handles on them keep their own share.
  subkeys_.clear();
}

bool Key::HasProtectedInSubtree() const {
  if (protected_) return true;
  return std::any_of(subkeys_.begin(), subkeys_.end(), [](const auto& child) { return child->HasProtectedInSubtree(); });
}

std::size_t Key::depth() const {
  std::size_t levels = 0;
  for (const Key* key = parent_; key; key = key->parent_) ++levels;
  return levels;
}

std::vector<std::string_view> Key::PathComponents() const {
  std::vector<std::string_view> parts;
  for (const Key* key = this; key; key = key->parent_) parts.push_back(key->name_);
  std::reverse(parts.begin(), parts.end());
  return parts;
}

std::ptrdiff_t Key::IndexOfValue(std::string_view name) const {
  std::uint32_t hash = NameHash(name);
  if (valueIndex_) {
    auto [begin, end] = valueIndex_->equal_range(hash);
    for (auto it = begin; it != end; ++it)
      if (EqualsNoCase(values_[it->second].name, name)) return it->second;
    return -1;
  }
  for (std::size_t i = 0; i < valueHashes_.size(); ++i)
    if (valueHashes_[i] == hash && EqualsNoCase(values_[i].name, name)) return static_cast<std::ptrdiff_t>(i);
  return -1;
}

RegValue* Key::FindValue(std::string_view name) {
  std::ptrdiff_t i = IndexOfValue(name);
  return i < 0 ? nullptr : &values_[static_cast<std::size_t>(i)];
}

const RegValue* Key::FindValue(std::string_view name) const {
  std::ptrdiff_t i = IndexOfValue(name);
  return i < 0 ? nullptr : &values_[static_cast<std::size_t>(i)];
}

void Key::SetValue(std::string_view name, DWORD type, std::string_view data) {
  if (RegValue* existing = FindValue(name)) {
    existing->type = type;
    existing->data.assign(data);
    return;
  }
  std::uint32_t hash = NameHash(name);
  values_.push_back(RegValue{std::string(name), type, std::string(data)});
  valueHashes_.push_back(hash);
  if (valueIndex_) {
    valueIndex_->emplace(hash, static_cast<std::uint32_t>(values_.size() - 1));
  } else {
    RebuildValueIndex();
  }
}

void Key::RebuildValueIndex() {
  valueIndex_.reset();
  if (values_.size() <= kIndexThreshold) return;
  valueIndex_ = std::make_unique<std::unordered_multimap<std::uint32_t, std::uint32_t>>();
  valueIndex_->reserve(values_.size() * 2);
  for (std::size_t i = 0; i < valueHashes_.size(); ++i) valueIndex_->emplace(valueHashes_[i], static_cast<std::uint32_t>(i));
}

bool Key::DeleteValue(std::string_view name) {
  std::ptrdiff_t i = IndexOfValue(name);
  if (i < 0) return false;
  values_.erase(values_.begin() + i);
  valueHashes_.erase(valueHashes_.begin() + i);
  // Positions after the deleted one moved: index them anew.
  RebuildValueIndex();
  return true;
}

}  // namespace platform::registry

namespace platform::registry {
Key& FindOrCreatePath(Key& from, std::string_view subPath, std::int64_t lastWrite) {
  Key* key = &from;
  std::size_t start = 0;
  while (start < subPath.size()) {
    std::size_t slash = subPath.find('\\', start);
    std::size_t end = slash == std::string_view::npos ? subPath.size() : slash;
    std::string_view name = subPath.substr(start, end - start);
    Key* child = key->FindSubkey(name);
    key = child ? child : &key->AddSubkey(name, false, lastWrite);
    start = end + 1;
  }
  return *key;
}
}  // namespace platform::registry
