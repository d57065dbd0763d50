// The Windows and hard-disk items, in box order.
#include "mainwindow/run/section_cleaners.h"

#include "mainwindow/run/engine_cleaner.h"

namespace {

using F = FrmCleanForm;

const SectionCleaner kWindows[24] = {
    EngineCleaner<&F::CleanMemoryDumpFile>,
    EngineCleaner<&F::CleanPageFile>,
    EngineCleaner<&F::CleanTempFolder>,
    EngineCleaner<&F::CleanScanDisk>,
    EngineCleaner<&F::CleanCDBurningFolder>,
    EngineCleaner<&F::CleanTemplates>,
    EngineCleaner<&F::CleanRecycle>,
    EngineCleaner<&F::CleanDircet3DMRU>,
    EngineCleaner<&F::CleanDircetInputMRU>,
    EngineCleaner<&F::CleanDircetDrawMRU>,
    EngineCleaner<&F::CleanClipboard>,
    EngineCleaner<&F::CleanUserAssistHistory>,
    EngineCleaner<&F::CleanComDlg>,
    EngineCleaner<&F::CleanPaintMRU>,
    EngineCleaner<&F::CleanWordPadMRU>,
    EngineCleaner<&F::CleanWMP>,
    EngineCleaner<&F::CleanRunMRU>,
    EngineCleaner<&F::CleanFindHistory>,
    EngineCleaner<&F::CleanDocument>,
    EngineCleaner<&F::CleanNetworkConnections>,
    EngineCleaner<&F::CleanPrinterConnections>,
    EngineCleaner<&F::CleanRegEdit>,
    EngineCleaner<&F::CleanDesktopShortCuts>,
    EngineCleaner<&F::CleanStartMenuShortCuts>,
};

const SectionCleaner kHardDisk[2] = {
    EngineCleaner<&F::CleanWindowsLogFiles>,
    EngineCleaner<&F::CleanWindowsHelpFiles>,
};

}  // namespace

std::span<const SectionCleaner> WindowsCleaners() { return kWindows; }
std::span<const SectionCleaner> HardDiskCleaners() { return kHardDisk; }
