// The Windows and hard-disk items, in box order.
#include "mainwindow/run/section_cleaners.h"

#include "cleaning/frmClean.h"

namespace {

const SectionCleaner kWindows[24] = {
    []() -> std::int64_t { return frmClean().CleanMemoryDumpFile(); },
    []() -> std::int64_t { return frmClean().CleanPageFile(); },
    []() -> std::int64_t { return frmClean().CleanTempFolder(); },
    []() -> std::int64_t { return frmClean().CleanScanDisk(); },
    []() -> std::int64_t { return frmClean().CleanCDBurningFolder(); },
    []() -> std::int64_t { return frmClean().CleanTemplates(); },
    []() -> std::int64_t { return frmClean().CleanRecycle(); },
    []() -> std::int64_t { return frmClean().CleanDircet3DMRU(); },
    []() -> std::int64_t { return frmClean().CleanDircetInputMRU(); },
    []() -> std::int64_t { return frmClean().CleanDircetDrawMRU(); },
    []() -> std::int64_t { return frmClean().CleanClipboard(); },
    []() -> std::int64_t { return frmClean().CleanUserAssistHistory(); },
    []() -> std::int64_t { return frmClean().CleanComDlg(); },
    []() -> std::int64_t { return frmClean().CleanPaintMRU(); },
    []() -> std::int64_t { return frmClean().CleanWordPadMRU(); },
    []() -> std::int64_t { return frmClean().CleanWMP(); },
    []() -> std::int64_t { return frmClean().CleanRunMRU(); },
    []() -> std::int64_t { return frmClean().CleanFindHistory(); },
    []() -> std::int64_t { return frmClean().CleanDocument(); },
    []() -> std::int64_t { return frmClean().CleanNetworkConnections(); },
    []() -> std::int64_t { return frmClean().CleanPrinterConnections(); },
    []() -> std::int64_t { return frmClean().CleanRegEdit(); },
    []() -> std::int64_t { return frmClean().CleanDesktopShortCuts(); },
    []() -> std::int64_t { return frmClean().CleanStartMenuShortCuts(); },
};

const SectionCleaner kHardDisk[2] = {
    []() -> std::int64_t { return frmClean().CleanWindowsLogFiles(); },
    []() -> std::int64_t { return frmClean().CleanWindowsHelpFiles(); },
};

}  // namespace

std::span<const SectionCleaner> WindowsCleaners() { return kWindows; }
std::span<const SectionCleaner> HardDiskCleaners() { return kHardDisk; }
