// Where each page's controls sit inside their page. Every page is laid on
// one grid of rows under the frame's caption; a row holds check boxes and
// one-line fields, taller controls span several rows. Check-box arrays flow
// down into columns; every other control has one line in its page's table.
#include "mainwindow/Form1.h"

using namespace platform::forms;

namespace {

// The page grid (twips): a page is 5685 x 4245 with 13 rows.
constexpr float kInset = 120;        // left and right margin inside a frame
constexpr float kFirstRow = 300;     // below the frame's caption
constexpr float kRowPitch = 300;     // 20 pixels
constexpr float kRowHeight = 285;    // a check box, a field, a button
constexpr float kPageWidth = 5685;
constexpr float kInnerWidth = kPageWidth - 2 * kInset;
constexpr float kColumnWidth = kInnerWidth / 2;
constexpr float kRightHalf = kInset + kColumnWidth;
constexpr float kButtonColumn = 4140;  // buttons beside a list
constexpr float kButtonWidth = kInset + kInnerWidth - kButtonColumn;

float RowTop(int row) { return kFirstRow + row * kRowPitch; }
float RowsHeight(int rows) { return (rows - 1) * kRowPitch + kRowHeight; }

using Accessor = Control& (*)(Form1Form&);

template <auto member>
Control& At(Form1Form& form) {
  return form.*member;
}

// One member of the result page's rule options.
template <int index>
Control& RuleOption(Form1Form& form) {
  return form.optDll(index);
}

// One control inside its container: a row, a left edge, a width, and how
// many rows it spans.
struct Cell {
  Accessor control;
  int row;
  float left, width;
  int rows = 1;
};

constexpr float kFull = kInnerWidth;

constexpr float kBackWidth = 1065;

const Cell kCells[] = {
    // The tool pages' Back buttons (and Unused, to the scan page) open the
    // first row, under the page's caption.
    {At<&Form1Form::cmdStartUpBack>, 0, kInset, kBackWidth},
    {At<&Form1Form::cmdUninsBack>, 0, kInset, kBackWidth},
    {At<&Form1Form::cmdBack>, 0, kInset, kBackWidth},
    {At<&Form1Form::Command9>, 0, kInset, kBackWidth},
    {At<&Form1Form::cmdDllScan>, 0, kInset, kBackWidth},
    {At<&Form1Form::cmdScanBack>, 0, kInset, kBackWidth},

    // Hard-disk page: the custom-file fields under the three boxes, the
    // hints under them.
    {At<&Form1Form::txtPath>, 3, kInset, 4800},
    {At<&Form1Form::cmdBrowse>, 3, kInset + 4860, kInnerWidth - 4860},
    {At<&Form1Form::txtPattern>, 4, kInset, 1500},
    {At<&Form1Form::chkCertainSize>, 4, kInset + 1620, 2100},
    {At<&Form1Form::txtMinSize>, 5, kInset, 1500},
    {At<&Form1Form::txtMaxSize>, 5, kInset + 1620, 1500},
    {At<&Form1Form::lblMinMax>, 6, kInset, kFull, 2},
    {At<&Form1Form::lblHint2>, 8, kInset, kFull, 2},
    {At<&Form1Form::lblHint>, 10, kInset, kFull, 2},

    // Internet Explorer page: the hide and show pairs beside the boxes.
    {At<&Form1Form::cmdTypedURLsHide>, 0, kRightHalf, kColumnWidth},
    {At<&Form1Form::cmdTypedURLsShow>, 1, kRightHalf, kColumnWidth},
    {At<&Form1Form::cmdPasswordsHide>, 3, kRightHalf, kColumnWidth},
    {At<&Form1Form::cmdPasswordsShow>, 4, kRightHalf, kColumnWidth},
    {At<&Form1Form::cmdFavoritesHide>, 6, kRightHalf, kColumnWidth},
    {At<&Form1Form::cmdFavoritesShow>, 7, kRightHalf, kColumnWidth},
    // ... and the cookie keep-list buttons under them.
    {At<&Form1Form::cmdIEWizard>, 9, kRightHalf, kColumnWidth},
    {At<&Form1Form::cmdNetScapeWizard>, 10, kRightHalf, kColumnWidth},

    // Firefox page: the four boxes; the profile folder list stays hidden.
    {At<&Form1Form::chk_ff_history>, 0, kInset, kFull},
    {At<&Form1Form::chk_ff_Cache>, 1, kInset, kFull},
    {At<&Form1Form::chk_ff_Cookies>, 2, kInset, kFull},
    {At<&Form1Form::chk_ff_Bookmarks>, 3, kInset, kFull},
    {At<&Form1Form::ff_Dir1>, 5, kInset, kFull, 6},

    // About page: the System Information button at the foot.
    {At<&Form1Form::cmdSysInfo>, 12, kButtonColumn, kButtonWidth},
    // ... the title and version at the head, the other commands above it.
    {At<&Form1Form::lblTitle>, 0, kInset, kFull},
    {At<&Form1Form::lblVersion>, 1, kInset, kFull},
    {At<&Form1Form::cmd_VLT>, 8, kButtonColumn, kButtonWidth},
    {At<&Form1Form::cmdUpdateProgram>, 9, kButtonColumn, kButtonWidth},
    {At<&Form1Form::Command1>, 10, kButtonColumn, kButtonWidth},
    {At<&Form1Form::Command5>, 11, kButtonColumn, kButtonWidth},

    // Result page: the log, the status line, and the progress frame with
    // its two bars and their sizes.
    {At<&Form1Form::txtResult>, 0, kInset, kFull, 8},
    {At<&Form1Form::lblcurrentName>, 8, kInset, kButtonColumn - 2 * kInset},
    {At<&Form1Form::cmdSaveLog>, 8, kButtonColumn, kButtonWidth},
    {At<&Form1Form::FrmProg>, 9, kInset, kFull, 4},
    {At<&Form1Form::prgCurrent>, 0, kInset, 3900},
    {At<&Form1Form::lblCurrentSize>, 0, kInset + 3960, kInnerWidth - 2 * kInset - 3960},
    {At<&Form1Form::prgTotal>, 1, kInset, 3900},
    {At<&Form1Form::lblTotalSize>, 1, kInset + 3960, kInnerWidth - 2 * kInset - 3960},

    // Extra plug-in page: the list, and its buttons beside it.
    {At<&Form1Form::LSTEPI>, 0, kInset, kButtonColumn - 2 * kInset, 13},
    {At<&Form1Form::cmdNewPlugin>, 0, kButtonColumn, kButtonWidth},
    {At<&Form1Form::cmdEditPlugin>, 1, kButtonColumn, kButtonWidth},
    {At<&Form1Form::cmdDeletPlugin>, 2, kButtonColumn, kButtonWidth},
    {At<&Form1Form::chkEPISelectAll>, 4, kButtonColumn, kButtonWidth},
    {At<&Form1Form::cmdGetPlugins>, 12, kButtonColumn, kButtonWidth},

    // Options page.
    {At<&Form1Form::chkLoadStartUp>, 0, kInset, kFull},
    {At<&Form1Form::chkRunStarted>, 1, kInset, kFull},
    {At<&Form1Form::chkCloseAfterWash>, 2, kInset, kFull},
    {At<&Form1Form::chkBleach>, 3, kInset, 1800},
    {At<&Form1Form::cmbShredder>, 3, kInset + 1860, 900},
    {At<&Form1Form::chkSkipMessages>, 4, kInset, kFull},
    {At<&Form1Form::chkCleanAll>, 5, kInset, kFull},
    {At<&Form1Form::cmb_skin>, 7, kInset, 1800},
    {At<&Form1Form::cmb_lang>, 8, kInset, 1800},
    {At<&Form1Form::lblRestart>, 9, kInset, kFull, 2},

    // Uninstall page: the list under the Back button and the UnInstall
    // button beside it.
    {At<&Form1Form::cmdUninst>, 0, kButtonColumn, kButtonWidth},
    {At<&Form1Form::LSTUP>, 1, kInset, kFull, 12},

    // Start-up manager page: the toggle and Clear beside the Back button,
    // the list under them.
    {At<&Form1Form::cmdEnaDisProgram>, 0, kButtonColumn - kButtonWidth - 60, kButtonWidth},
    {At<&Form1Form::cmdClearProgram>, 0, kButtonColumn, kButtonWidth},
    {At<&Form1Form::LSTPR>, 1, kInset, kFull, 12},

    // DLL page: the button to the scan page, Backups and the search button
    // on the top row; the drives to search on the left, the excluded folders and
    // files with their buttons on the right; what is being searched at the
    // foot. The drive list and the kernel32 finder's list stay hidden.
    {At<&Form1Form::cmdViewBackUps>, 0, kButtonColumn - kButtonWidth - 60, kButtonWidth},
    {At<&Form1Form::cmdStartCleanDLLs>, 0, kButtonColumn, kButtonWidth},
    {At<&Form1Form::lstDllDrives>, 1, kInset, 1800, 10},
    {At<&Form1Form::lstDllFolders>, 1, kInset + 1920, kInnerWidth - 1920, 4},
    {At<&Form1Form::cmdAddDllFolders>, 5, kInset + 1920, 1200},
    {At<&Form1Form::cmdDelDllFolders>, 5, kInset + 3180, 1200},
    {At<&Form1Form::lstDllFiles>, 6, kInset + 1920, kInnerWidth - 1920, 4},
    {At<&Form1Form::cmdAddDllFiles>, 10, kInset + 1920, 1200},
    {At<&Form1Form::cmdDelDllFiles>, 10, kInset + 3180, 1200},
    {At<&Form1Form::lblDLL_Get>, 11, kInset, kFull},
    {At<&Form1Form::lblDLL_Name>, 12, kInset, kFull},
    {At<&Form1Form::List_os>, 11, kInset, kFull, 2},
    {At<&Form1Form::Drive2>, 11, kInset, 1800},

    // DLL result page: the count and the two actions beside the Back
    // button, the matches, the rule and Select All under them.
    {At<&Form1Form::lblDLLsFound>, 0, kInset + 1200, 1300},
    {At<&Form1Form::Command8>, 0, kButtonColumn - kButtonWidth - 60, kButtonWidth},
    {At<&Form1Form::CmdDeleteDlls>, 0, kButtonColumn, kButtonWidth},
    {At<&Form1Form::lstDlls>, 1, kInset, kFull, 10},
    {At<&Form1Form::redundantlst>, 1, kInset, kFull, 10},
    {RuleOption<0>, 11, kInset, 960},
    {RuleOption<1>, 11, kInset + 1020, 1860},
    {RuleOption<2>, 11, kInset + 2940, kInnerWidth - 2940},
    {At<&Form1Form::chkDLLSelectAll>, 12, kInset, 1500},

    // DLL backup page: the archives, their buttons beside them.
    {At<&Form1Form::lstDllBackUps>, 1, kInset, kButtonColumn - 2 * kInset, 12},
    {At<&Form1Form::cmdRestoreBackUps>, 1, kButtonColumn, kButtonWidth},
    {At<&Form1Form::cmdDeleteBackUps>, 2, kButtonColumn, kButtonWidth},
    {At<&Form1Form::cmdDeleteAllBackUps>, 3, kButtonColumn, kButtonWidth},
    {At<&Form1Form::drBackups>, 5, kButtonColumn, kButtonWidth, 3},

    // Unreferenced-DLL scan page: the drive and Scan, the copies found,
    // the counts, the backup box and Delete.
    {At<&Form1Form::Drive1>, 1, kInset, 2400},
    {At<&Form1Form::SkinLabel28>, 1, kInset + 2520, kButtonColumn - 2 * kInset - 2520},
    {At<&Form1Form::Command2>, 1, kButtonColumn, kButtonWidth},
    {At<&Form1Form::list2>, 2, kInset, kFull, 8},
    {At<&Form1Form::list1>, 2, kInset, kFull, 8},
    {At<&Form1Form::ltemp>, 2, kInset, kFull, 8},
    {At<&Form1Form::SkinLabel27>, 10, kInset, kColumnWidth},
    {At<&Form1Form::SkinLabel25>, 10, kRightHalf, kColumnWidth},
    {At<&Form1Form::chk_dllbackup>, 11, kInset, kButtonColumn - 2 * kInset},
    {At<&Form1Form::Command3>, 11, kButtonColumn, kButtonWidth},

    // Shredder page: files, folders, a whole drive, the progress bar.
    {At<&Form1Form::lstShredFiles>, 0, kInset, kButtonColumn - 2 * kInset, 4},
    {At<&Form1Form::cmdShredFileAdd>, 0, kButtonColumn, kButtonWidth},
    {At<&Form1Form::cmdShredFileDelete>, 1, kButtonColumn, kButtonWidth},
    {At<&Form1Form::cmdShredFiles>, 2, kButtonColumn, kButtonWidth},
    {At<&Form1Form::lstShredFolders>, 4, kInset, kButtonColumn - 2 * kInset, 4},
    {At<&Form1Form::cmdShredFolderAdd>, 4, kButtonColumn, kButtonWidth},
    {At<&Form1Form::cmdShredFolderDelete>, 5, kButtonColumn, kButtonWidth},
    {At<&Form1Form::cmdShredFolders>, 6, kButtonColumn, kButtonWidth},
    {At<&Form1Form::Drv>, 8, kInset, 1200},
    {At<&Form1Form::chkShredFreeSpace>, 8, kInset + 1260, kButtonColumn - 2 * kInset - 1260},
    {At<&Form1Form::cmdShredDrive>, 8, kButtonColumn, kButtonWidth},
    {At<&Form1Form::DirShred>, 9, kInset, kColumnWidth, 3},
    {At<&Form1Form::FileShred>, 9, kRightHalf, kColumnWidth, 3},
    {At<&Form1Form::ShredProg>, 10, kInset, kFull},

    // Scheduling page.
    {At<&Form1Form::lstSchedule>, 0, kInset, kButtonColumn - 2 * kInset, 6},
    {At<&Form1Form::cmdAddScheduled>, 0, kButtonColumn, kButtonWidth},
    {At<&Form1Form::cmdRemoveScheduled>, 1, kButtonColumn, kButtonWidth},
    {At<&Form1Form::cmdWizard>, 2, kButtonColumn, kButtonWidth},
    {At<&Form1Form::txtDate>, 6, kInset, 1500},
    {At<&Form1Form::txtTime>, 6, kInset + 1620, 1500},
    {At<&Form1Form::ComboInterval>, 7, kInset, 2400},
    {At<&Form1Form::chkRunAuto>, 8, kInset, 2400},
};

// A section's boxes, flowed down `columns` of the page's `pageColumns`
// equal columns from `firstColumn`.
struct BoxFlow {
  ControlArray<CheckBox> Form1Form::*boxes;
  int firstColumn, columns, pageColumns;
};

const BoxFlow kBoxFlows[] = {
    {&Form1Form::chkWindows, 0, 2, 2}, {&Form1Form::chkHardDisk, 0, 1, 1}, {&Form1Form::chkOffice, 0, 1, 2},
    {&Form1Form::chkOutlook, 1, 1, 2}, {&Form1Form::chkOpera, 0, 1, 1},    {&Form1Form::chkYahoo, 0, 1, 1},
    {&Form1Form::chkICQ, 0, 1, 1},     {&Form1Form::chkMSN, 0, 1, 1},      {&Form1Form::chkAOL, 0, 1, 1},
    {&Form1Form::chkIE, 0, 1, 2},      {&Form1Form::chkNetScape, 0, 1, 1},
};

void Flow(ControlArray<CheckBox>& boxes, const BoxFlow& flow) {
  const Control& page = *boxes(0).Container();
  float columnWidth = (page.Width() - 2 * kInset) / flow.pageColumns;
  int perColumn = (boxes.Count() + flow.columns - 1) / flow.columns;
  for (int i = 0; i < boxes.Count(); ++i) {
    int column = flow.firstColumn + i / perColumn;
    boxes(i).Move(kInset + column * columnWidth, RowTop(i % perColumn), columnWidth, kRowHeight);
  }
}

// Pages whose captions need more than the page area's width; they are
// centred on it all the same.
struct PageWidth {
  Frame Form1Form::*page;
  float width;
};

const PageWidth kWidePages[] = {{&Form1Form::Frame_Windows, 6900}};

// Controls of the window itself, outside every page: the Clean button
// beside the movie's buttons and the red labels in the same strip.
struct WindowCell {
  Accessor control;
  float left, top, width, height;
};

const WindowCell kWindowCells[] = {
    {At<&Form1Form::CmdClean>, 5640, 1830, 1290, 450},
    {At<&Form1Form::SkinLabel18>, 120, 1830, 1650, 450},
    {At<&Form1Form::SkinLabel19>, 1890, 1830, 1650, 450},
    {At<&Form1Form::SkinLabel20>, 3660, 1830, 1650, 450},
};

// The hide and show buttons carry what they act on.
struct ButtonCaption {
  CommandButton Form1Form::*button;
  const char* caption;
};

const ButtonCaption kShowHideCaptions[] = {
    {&Form1Form::cmdTypedURLsHide, "Hide URLs"},      {&Form1Form::cmdTypedURLsShow, "Show URLs"},
    {&Form1Form::cmdPasswordsHide, "Hide Passwords"}, {&Form1Form::cmdPasswordsShow, "Show Passwords"},
    {&Form1Form::cmdFavoritesHide, "Hide Favorites"}, {&Form1Form::cmdFavoritesShow, "Show Favorites"},
};

}  // namespace

void Form1Form::DesignPageControls() {
  for (const auto& wide : kWidePages) (this->*wide.page).Width(wide.width);
  for (const auto& cell : kWindowCells) cell.control(*this).Move(cell.left, cell.top, cell.width, cell.height);
  for (const auto& flow : kBoxFlows) Flow(this->*flow.boxes, flow);
  for (const auto& cell : kCells)
    cell.control(*this).Move(cell.left, RowTop(cell.row), cell.width, RowsHeight(cell.rows));
  for (const auto& each : kShowHideCaptions) (this->*each.button).Caption(each.caption);
  List_os.Visible(false);
}
