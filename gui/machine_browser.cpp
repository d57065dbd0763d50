#include "gui/machine_browser.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "gui/conversions.h"
#include "platform/files/kernel32_files.h"

namespace tessaly::gui {
namespace {

using namespace platform::forms;

constexpr long kMultiSelect = 0x200, kExplorer = 0x80000;
constexpr int kPathRole = Qt::UserRole, kFolderRole = Qt::UserRole + 1, kFilledRole = Qt::UserRole + 2;

struct Entry {
  std::string name;
  bool folder;
};

std::vector<std::string> Drives() {
  char buffer[256] = {};
  DWORD length = GetLogicalDriveStringsA(sizeof buffer, buffer);
  std::vector<std::string> roots;
  for (DWORD at = 0; at < length && at < sizeof buffer && buffer[at]; at += static_cast<DWORD>(roots.back().size()) + 1)
    roots.emplace_back(buffer + at);
  return roots;
}

std::vector<Entry> Entries(const std::string& folder, bool withFiles) {
  std::string pattern = folder + (folder.ends_with('\\') ? "*" : "\\*");
  WIN32_FIND_DATAA data;
  std::vector<Entry> entries;
  HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    bool isFolder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    if (isFolder || withFiles) entries.push_back({name, isFolder});
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return entries;
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder + (folder.ends_with('\\') ? "" : "\\") + name;
}

class MachineBrowser : public QDialog {
 public:
  MachineBrowser(const AskRequest& request, bool files, bool multi)
      : QDialog(QApplication::activeWindow()), files_(files) {
    setWindowTitle(ToQt(request.title.empty() ? (files ? "Open" : "Browse for Folder") : request.title));
    auto* layout = new QVBoxLayout(this);
    if (!request.prompt.empty() && !files) layout->addWidget(new QLabel(ToQtLines(request.prompt)));
    tree_ = new QTreeWidget;
    tree_->setHeaderHidden(true);
    tree_->setSelectionMode(multi ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    layout->addWidget(tree_);
    path_ = new QLineEdit(ToQt(request.defaultText));
    layout->addWidget(path_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(tree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { Fill(item); });
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] { ShowSelection(); });
    for (const auto& root : Drives()) AddItem(nullptr, root.substr(0, 2), root, true);
    resize(420, 460);
  }

  std::string Answer() const { return FromQt(path_->text()); }

 private:
  QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, const std::string& label, const std::string& path, bool folder) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
    item->setText(0, ToQt(label));
    item->setData(0, kPathRole, ToQt(path));
    item->setData(0, kFolderRole, folder);
    if (folder) item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
  }

  // Folders are read when first opened.
  void Fill(QTreeWidgetItem* item) {
    if (item->data(0, kFilledRole).toBool()) return;
    item->setData(0, kFilledRole, true);
    std::string folder = FromQt(item->data(0, kPathRole).toString());
    for (const auto& entry : Entries(folder, files_)) AddItem(item, entry.name, Join(folder, entry.name), entry.folder);
    if (item->childCount() == 0) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
  }

  void ShowSelection() {
    QStringList paths;
    for (QTreeWidgetItem* item : tree_->selectedItems())
      if (!files_ || !item->data(0, kFolderRole).toBool()) paths << item->data(0, kPathRole).toString();
    if (!paths.isEmpty()) path_->setText(paths.join('|'));
  }

  bool files_;
  QTreeWidget* tree_;
  QLineEdit* path_;
};

}  // namespace

AskAnswer AskForPath(const AskRequest& request) {
  bool files = request.kind == AskKind::FileDialog;
  bool multi = files && (request.style & kMultiSelect) && (request.style & kExplorer);
  MachineBrowser browser(request, files, multi);
  if (browser.exec() != QDialog::Accepted || browser.Answer().empty()) return {"Cancel", request.defaultText};
  return {"OK", browser.Answer()};
}

}  // namespace tessaly::gui
