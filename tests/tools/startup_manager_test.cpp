// The start-up manager on machines of both families: listing order, and
// disable, enable and clear touching only the entry acted on.
#include <gtest/gtest.h>

#include "startup_fixture.h"
#include "tools/startup_manager.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

class ListForm : public Form {
 public:
  ListForm() : Form("frmList") {
    for (const char* header : {"Application", "Status", "Path", "Reg Key"}) list.AddColumn(std::nullopt, "", header);
  }
  TSY_CONTROL(ListView, list);
};

struct Row {
  std::string name, status, command, location;
  bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
  return out << row.name << "|" << row.status << "|" << row.command << "|" << row.location;
}

std::vector<Row> Rows(ListView& list) {
  std::vector<Row> rows;
  for (int i = 1; i <= list.Count(); ++i) {
    ListItem& item = list.Item(i);
    rows.push_back({item.Text, item.SubItems(1), item.SubItems(2), item.SubItems(3)});
  }
  return rows;
}

const std::string kUserRun = "HKEY_CURRENT_USER/" + kRunKey;
const std::string kMachineRun = "HKEY_LOCAL_MACHINE/" + kRunKey;

class StartUpManagerTest : public StartUpMachineTest {
 protected:
  // A fresh window and manager, as at the next start of the program.
  void Restart() {
    form_ = std::make_unique<ListForm>();
    manager_ = tools::StartUpManager();
    manager_.LoadStartUpPrograms(form_->list);
  }
  void Select(const std::string& name, const std::string& location) {
    for (int i = 1; i <= list().Count(); ++i)
      if (list().Item(i).Text == name && list().Item(i).SubItems(3) == location) {
        list().Select(&list().Item(i));
        return;
      }
    FAIL() << "no row " << name << " at " << location;
  }
  ListView& list() { return form_->list; }
  // The fixture's values less the one named.
  std::map<std::string, cleaning::StoredValue> Untouched(const std::map<std::string, cleaning::StoredValue>& all,
                                                         const StartUpValue& except) {
    auto rest = all;
    rest.erase(KeyOf(except));
    return rest;
  }

  std::unique_ptr<ListForm> form_;
  tools::StartUpManager manager_;
};

const StartUpValue& Fixture(std::size_t i) { return FixtureValues()[i]; }

TEST_P(StartUpManagerTest, ListsEveryKeyInOrderWithQuotesRemoved) {
  Restart();
  EXPECT_EQ(Rows(list()),
            (std::vector<Row>{
                {"Tessaly", "Enabled", "C:\\Program Files\\Tessaly\\tsy.exe /STARTUP", kUserRun},
                {"Paths", "Enabled", "%SystemRoot%\\paths.exe -q", kUserRun},
                {"Tessaly", "Enabled", "C:\\Program Files\\Tessaly\\tsy.exe /STARTRUN", kMachineRun},
                {"Quoted", "Enabled", "C:\\Program Files\\App\\app.exe /x a b", kMachineRun},
                {"Once", "Enabled", "C:\\setup\\finish.exe", kMachineRun + "Once"},
                {"OnceEx", "Enabled", "C:\\setup\\more.exe", kMachineRun + "OnceEx"},
                {"Service", "Enabled", "%ProgramFiles%\\svc.exe", kMachineRun + "Services"},
            }));
  EXPECT_EQ(DisabledFile(), "<none>");
}

// Each entry of the fixture, disabled and enabled again on its own.
TEST_P(StartUpManagerTest, DisableAndEnableTouchOnlyTheEntryAndRestoreItsBytes) {
  const auto before = StartUpValues();
  for (const StartUpValue& value : FixtureValues()) {
    SCOPED_TRACE(KeyOf(value));
    Restart();
    std::string location = std::string(value.root == HKEY_CURRENT_USER ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE") +
                           "/" + value.path;
    Select(value.name, location);
    manager_.ToggleSelected(list());
    auto disabled = StartUpValues();
    EXPECT_EQ(disabled.count(KeyOf(value)), 0u);
    EXPECT_EQ(disabled, Untouched(before, value));
    std::string file = DisabledFile();
    EXPECT_EQ(file.rfind(value.name + "|Disabled|" + list().SelectedItem().SubItems(2) + "|" + location + "|", 0), 0u)
        << file;
    EXPECT_EQ(file.substr(file.size() - 2), "\r\n");
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 1);
    EXPECT_EQ(tools::StartUpManager::ToggleCaption(list().SelectedItem()), "Enable");

    Restart();  // the disabled state survives a restart
    ASSERT_EQ(list().Count(), 7);
    EXPECT_EQ(list().Item(7).Text, value.name);
    EXPECT_EQ(list().Item(7).SubItems(1), "Disabled");
    list().Select(&list().Item(7));
    manager_.ToggleSelected(list());
    EXPECT_EQ(StartUpValues(), before);  // same type, same bytes
    EXPECT_EQ(DisabledFile(), "");
    EXPECT_EQ(tools::StartUpManager::ToggleCaption(list().Item(7)), "Disable");
  }
}

// The program's own value stands under one name in both hives: both copies
// disabled, both listed at the next start, each enabled into its own hive.
TEST_P(StartUpManagerTest, OneNameInBothHivesIsKeptApart) {
  const auto before = StartUpValues();
  Restart();
  Select("Tessaly", kUserRun);
  manager_.ToggleSelected(list());
  Select("Tessaly", kMachineRun);
  manager_.ToggleSelected(list());
  EXPECT_EQ(StartUpValues().count(KeyOf(Fixture(0))) + StartUpValues().count(KeyOf(Fixture(2))), 0u);

  Restart();
  std::vector<Row> rows = Rows(list());
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[5], (Row{"Tessaly", "Disabled", "C:\\Program Files\\Tessaly\\tsy.exe /STARTUP", kUserRun}));
  EXPECT_EQ(rows[6], (Row{"Tessaly", "Disabled", "C:\\Program Files\\Tessaly\\tsy.exe /STARTRUN", kMachineRun}));
  Select("Tessaly", kMachineRun);
  manager_.ToggleSelected(list());
  Restart();
  Select("Tessaly", kUserRun);
  manager_.ToggleSelected(list());
  EXPECT_EQ(StartUpValues(), before);
  EXPECT_EQ(DisabledFile(), "");
}

TEST_P(StartUpManagerTest, ClearDeletesWithoutRecordingAndDropsDisabledRowsFromTheFile) {
  const auto before = StartUpValues();
  Restart();
  Select("Quoted", kMachineRun);
  manager_.ClearSelected(list());
  EXPECT_EQ(StartUpValues(), Untouched(before, Fixture(3)));
  EXPECT_EQ(DisabledFile(), "<none>");
  EXPECT_EQ(list().Count(), 6);

  Select("Paths", kUserRun);
  manager_.ToggleSelected(list());
  manager_.ClearSelected(list());  // a disabled row: only the row and its line go
  EXPECT_EQ(DisabledFile(), "");
  Restart();
  EXPECT_EQ(list().Count(), 5);
  for (const Row& row : Rows(list())) EXPECT_NE(row.name, "Paths");
}

TEST_P(StartUpManagerTest, NoSelectionDoesNothing) {
  const auto before = StartUpValues();
  Restart();
  manager_.ToggleSelected(list());
  manager_.ClearSelected(list());
  EXPECT_EQ(StartUpValues(), before);
  EXPECT_EQ(list().Count(), 7);
  EXPECT_EQ(DisabledFile(), "<none>");
}

// Lines the manager cannot read as records stay in the file verbatim; a
// record without the value's bytes comes back as the string it shows; a
// record whose name is live again never overwrites the live value.
TEST_P(StartUpManagerTest, TheFileKeepsWhatItCannotReadAndOldRecordsStillEnable) {
  const std::string kept = "broken line\r\nOdd|Enabled|x.exe|" + kMachineRun + "\r\n";
  machine_.WriteContent(g_WindowsDir + "\\inf\\zxxy.inf",
                        "Old|Disabled|C:\\old.exe /o|" + kMachineRun + "\r\n" + kept +
                            "Quoted|Disabled|other.exe|" + kMachineRun + "\r\n");
  Restart();
  ASSERT_EQ(list().Count(), 9);
  list().Select(&list().Item(8));  // Old
  manager_.ToggleSelected(list());
  EXPECT_EQ(list().Item(8).SubItems(1), "Enabled");
  auto old = StartUpValues().at(std::to_string(HKEY_LOCAL_MACHINE) + "|" + kRunKey + "|Old");
  EXPECT_EQ(old.type, REG_SZ);
  EXPECT_EQ(old.data, Sz("C:\\old.exe /o"));
  EXPECT_EQ(DisabledFile(), "Quoted|Disabled|other.exe|" + kMachineRun + "\r\n" + kept);

  list().Select(&list().Item(9));  // the second Quoted: the live one stays
  manager_.ToggleSelected(list());
  EXPECT_EQ(list().Item(9).SubItems(1), "Disabled");
  EXPECT_EQ(StartUpValues().at(KeyOf(Fixture(3))).data, Fixture(3).data);
}

// A name or command the file cannot hold on one line: the toggle says why
// and changes nothing; an ordinary entry beside it says nothing.
TEST_P(StartUpManagerTest, AnEntryTheFileCannotHoldIsRefusedWithAReason) {
  const StartUpValue odd[] = {
      {HKEY_CURRENT_USER, kRunKey, "Piped", REG_SZ, Sz("C:\\tool.exe | more")},
      {HKEY_CURRENT_USER, kRunKey, "A|B", REG_SZ, Sz("C:\\b.exe")},
      {HKEY_LOCAL_MACHINE, kRunKey, "Broken", REG_SZ, Sz("C:\\c.exe\r\n/x")},
  };
  for (const StartUpValue& value : odd) PutValue(value);
  const auto before = StartUpValues();
  for (const StartUpValue& value : odd) {
    SCOPED_TRACE(value.name);
    Restart();
    Select(value.name, std::string(value.root == HKEY_CURRENT_USER ? "HKEY_CURRENT_USER/" : "HKEY_LOCAL_MACHINE/") +
                           value.path);
    std::string said = manager_.ToggleSelected(list());
    EXPECT_NE(said.find("\"" + value.name + "\" can't be disabled"), std::string::npos) << said;
    EXPECT_EQ(list().SelectedItem().SubItems(1), "Enabled");
    EXPECT_EQ(StartUpValues(), before);
    EXPECT_EQ(DisabledFile(), "<none>");
  }
  Select("Paths", kUserRun);
  EXPECT_EQ(manager_.ToggleSelected(list()), "");
  EXPECT_EQ(list().SelectedItem().SubItems(1), "Disabled");
}

INSTANTIATE_TEST_SUITE_P(Families, StartUpManagerTest,
                         ::testing::Values(platform::OsKind::WinXP, platform::OsKind::Win98));

// A Run key the user may only read: disabling its entry changes nothing
// at all (the record written first is taken back), and the row stays Enabled.
class StartUpRightsTest : public ::testing::Test {
 protected:
  StartUpRightsTest() {
    platform::forms::ResetFormsRuntime();
    for (const auto& value : FixtureValues()) PutValue(value);
    machine_.Reconfigure([](platform::MachineDescription& description) {
      description.accessRules = {{"HKLM\\" + kRunKey, platform::Grant::Read}};
    });
    InitSystemFolders();
  }
  TempMachine machine_{platform::OsKind::WinXP};
};

TEST_F(StartUpRightsTest, AFailedDeleteLeavesRowRegistryAndFileAsTheyWere) {
  const auto before = StartUpValues();
  ListForm form;
  tools::StartUpManager manager;
  manager.LoadStartUpPrograms(form.list);
  form.list.Select(&form.list.Item(4));  // Quoted, in the machine's Run key
  manager.ToggleSelected(form.list);
  EXPECT_EQ(form.list.Item(4).SubItems(1), "Enabled");
  EXPECT_EQ(StartUpValues(), before);
  EXPECT_EQ(machine_.ReadContent(g_WindowsDir + "\\inf\\zxxy.inf").value_or("<none>"), "");
}

}  // namespace
}  // namespace tessaly::testing
