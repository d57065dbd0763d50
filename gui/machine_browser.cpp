#include "gui/machine_browser.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QRegularExpression>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

// One choice of a dialog's filter ("Log file|*.log"): its description and
// its patterns ("*.log;*.txt").
struct FileType {
  QString description;
  QList<QRegularExpression> patterns;
};

std::vector<FileType> FileTypes(const std::string& filter) {
  std::vector<FileType> types;
  QStringList parts = ToQt(filter).split('|');
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    FileType type{parts[i], {}};
    for (const QString& pattern : parts[i + 1].split(';', Qt::SkipEmptyParts))
      type.patterns << QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern.trimmed()),
                                          QRegularExpression::CaseInsensitiveOption);
    types.push_back(type);
  }
  return types;
}

bool Matches(const FileType* type, const std::string& name) {
  if (!type || type->patterns.isEmpty()) return true;
  for (const auto& pattern : type->patterns)
    if (pattern.match(ToQt(name)).hasMatch()) return true;
  return false;
}

std::vector<Entry> Entries(const std::string& folder, bool withFiles, const FileType* type) {
  std::string pattern = folder + (folder.ends_with('\\') ? "*" : "\\*");
  WIN32_FIND_DATAA data;
  std::vector<Entry> entries;
  HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    bool isFolder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    if (isFolder || (withFiles && Matches(type, name))) entries.push_back({name, isFolder});
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return entries;
}

// "C:\x" or "\\x" names its folder; "x.log" is a name in the chosen one.
bool IsFullPath(const std::string& path) {
  return (path.size() >= 2 && path[1] == ':') || path.starts_with('\\');
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder + (folder.ends_with('\\') ? "" : "\\") + name;
}

class MachineBrowser : public QDialog {
 public:
  MachineBrowser(const AskRequest& request, bool files, bool multi)
      : QDialog(QApplication::activeWindow()), files_(files), save_(files && request.prompt == "ShowSave"),
        types_(files ? FileTypes(request.filter) : std::vector<FileType>{}) {
    const char* title = save_ ? "Save As" : files ? "Open" : "Browse for Folder";
    setWindowTitle(ToQt(request.title.empty() ? title : request.title));
    auto* layout = new QVBoxLayout(this);
    if (!request.prompt.empty() && !files) layout->addWidget(new QLabel(ToQtLines(request.prompt)));
    tree_ = new QTreeWidget;
    tree_->setHeaderHidden(true);
    tree_->setSelectionMode(multi ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    layout->addWidget(tree_);
    path_ = new QLineEdit(ToQt(request.defaultText));
    if (files) {
      auto* fields = new QFormLayout;
      fields->addRow("File &name:", path_);
      if (!types_.empty()) {
        types_box_ = new QComboBox;
        for (const FileType& type : types_) types_box_->addItem(type.description);
        fields->addRow(save_ ? "Save as &type:" : "Files of &type:", types_box_);
        connect(types_box_, &QComboBox::currentIndexChanged, this, [this] { FillDrives(); });
      }
      layout->addLayout(fields);
    } else {
      layout->addWidget(path_);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    if (save_) buttons->button(QDialogButtonBox::Ok)->setText("&Save");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(tree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { Fill(item); });
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] { ShowSelection(); });
    FillDrives();
    resize(420, 460);
  }

  // A name typed on its own is saved in the folder chosen in the tree.
  std::string Answer() const {
    std::string typed = FromQt(path_->text());
    if (!save_ || typed.empty() || IsFullPath(typed) || folder_.empty()) return typed;
    return Join(folder_, typed);
  }

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
    for (const auto& entry : Entries(folder, files_, Type())) AddItem(item, entry.name, Join(folder, entry.name), entry.folder);
    if (item->childCount() == 0) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
  }

  const FileType* Type() const {
    if (!types_box_ || types_box_->currentIndex() < 0) return nullptr;
    return &types_[static_cast<std::size_t>(types_box_->currentIndex())];
  }

  // The drives, closed: a folder shows the chosen type's files when opened.
  void FillDrives() {
    tree_->clear();
    for (const auto& root : Drives()) AddItem(nullptr, root.substr(0, 2), root, true);
  }

  void ShowSelection() {
    if (save_) {
      // A folder chosen is where the name goes; a file chosen is replaced.
      QList<QTreeWidgetItem*> chosen = tree_->selectedItems();
      if (chosen.isEmpty()) return;
      std::string path = FromQt(chosen.front()->data(0, kPathRole).toString());
      if (chosen.front()->data(0, kFolderRole).toBool()) {
        folder_ = path;
        return;
      }
      folder_.clear();
      path_->setText(ToQt(path));
      return;
    }
    QStringList paths;
    for (QTreeWidgetItem* item : tree_->selectedItems())
      if (!files_ || !item->data(0, kFolderRole).toBool()) paths << item->data(0, kPathRole).toString();
    if (!paths.isEmpty()) path_->setText(paths.join('|'));
  }

  bool files_, save_;
  std::vector<FileType> types_;
  QComboBox* types_box_ = nullptr;
  std::string folder_;  // saving: the folder chosen in the tree
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
