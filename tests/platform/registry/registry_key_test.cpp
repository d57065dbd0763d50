// The in-memory key on its own: value look-ups stay right as a key grows past
// the size where it keeps an index, and as deletions shrink it again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/cp1252.h"
#include "platform/registry/registry_key.h"

using platform::registry::Key;

namespace {

std::string Name(int i) { return "Value" + std::to_string(i); }

// Every value is found by its name in any case, at its place in creation
// order; the deleted ones are not found.
void ExpectValues(Key& key, const std::vector<int>& present, const std::vector<int>& deleted) {
  ASSERT_EQ(key.valueCount(), present.size());
  for (std::size_t place = 0; place < present.size(); ++place) {
    int i = present[place];
    const auto* value = key.FindValue(platform::ToUpper(Name(i)));
    ASSERT_NE(value, nullptr) << Name(i);
    EXPECT_EQ(value, &key.valueAt(place)) << Name(i);
    EXPECT_EQ(value->data, std::to_string(i));
  }
  for (int i : deleted) EXPECT_EQ(key.FindValue(Name(i)), nullptr) << Name(i);
}

TEST(RegistryKey, ValueLookupsAcrossTheIndexedSize) {
  Key key("k", nullptr, nullptr, false, 0);
  std::vector<int> present, deleted;
  for (int i = 0; i < 600; ++i) {
    key.SetValue(Name(i), 1, std::to_string(i));
    present.push_back(i);
  }
  ExpectValues(key, present, deleted);

  // Rewriting keeps the place; only the data changes.
  key.SetValue("value10", 4, "10");
  EXPECT_EQ(key.valueAt(10).type, 4u);
  EXPECT_EQ(key.valueAt(10).name, "Value10");

  // Shrink below the indexed size, checking after each kind of step.
  for (int i = 0; i < 600; ++i) {
    if (i % 3 == 0 || i >= 350) {
      ASSERT_TRUE(key.DeleteValue(Name(i))) << Name(i);
      deleted.push_back(i);
    }
  }
  EXPECT_FALSE(key.DeleteValue(Name(0))) << "already gone";
  std::vector<int> kept;
  for (int i : present)
    if (i % 3 != 0 && i < 350) kept.push_back(i);
  ExpectValues(key, kept, deleted);
  ASSERT_LT(key.valueCount(), 256u) << "small enough to be scanned";

  // Grow past it again: a name given back goes to the end.
  for (int i = 350; i < 600; ++i) {
    key.SetValue(Name(i), 1, std::to_string(i));
    kept.push_back(i);
  }
  std::erase_if(deleted, [](int i) { return i >= 350; });
  ExpectValues(key, kept, deleted);
}

}  // namespace
