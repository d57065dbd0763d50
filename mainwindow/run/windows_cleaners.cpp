// The Windows and hard-disk items, in box order.
#include "mainwindow/run/section_cleaners.h"

namespace {

const SectionCleaner kWindows[24] = {
    nullptr,  // CleanMemoryDumpFile
    nullptr,  // CleanPageFile
    nullptr,  // CleanTempFolder
    nullptr,  // CleanScanDisk
    nullptr,  // CleanCDBurningFolder
    nullptr,  // CleanTemplates
    nullptr,  // CleanRecycle
    nullptr,  // CleanDircet3DMRU
    nullptr,  // CleanDircetInputMRU
    nullptr,  // CleanDircetDrawMRU
    nullptr,  // CleanClipboard
    nullptr,  // CleanUserAssistHistory
    nullptr,  // CleanComDlg
    nullptr,  // CleanPaintMRU
    nullptr,  // CleanWordPadMRU
    nullptr,  // CleanWMP
    nullptr,  // CleanRunMRU
    nullptr,  // CleanFindHistory
    nullptr,  // CleanDocument
    nullptr,  // CleanNetworkConnections
    nullptr,  // CleanPrinterConnections
    nullptr,  // CleanRegEdit
    nullptr,  // CleanDesktopShortCuts
    nullptr,  // CleanStartMenuShortCuts
};

const SectionCleaner kHardDisk[2] = {
    nullptr,  // CleanWindowsLogFiles
    nullptr,  // CleanWindowsHelpFiles
};

}  // namespace

std::span<const SectionCleaner> WindowsCleaners() { return kWindows; }
std::span<const SectionCleaner> HardDiskCleaners() { return kHardDisk; }
