// The items of the application sections, in box order, and the browsers
// that clean as one item.
#include "mainwindow/run/engine_cleaner.h"
#include "mainwindow/run/section_cleaners.h"

namespace {

using F = FrmCleanForm;

const SectionCleaner kOffice[7] = {
    EngineCleaner<&F::CleanOfficeAccessMRU>,     EngineCleaner<&F::CleanOfficeWordMRU>,
    EngineCleaner<&F::CleanOfficeExcelMRU>,      EngineCleaner<&F::CleanOfficePowerPointMRU>,
    EngineCleaner<&F::CleanOfficeOutlookMRU>,    EngineCleaner<&F::CleanOfficePhotoEditorMRU>,
    EngineCleaner<&F::CleanOfficeRecent>,
};
const SectionCleaner kOpera[3] = {
    EngineCleaner<&F::CleanOperaHistory>,
    EngineCleaner<&F::CleanOperaCookie>,
    EngineCleaner<&F::CleanOperaCache>,
};
const SectionCleaner kYahoo[2] = {
    EngineCleaner<&F::CleanYahooPager>,
    EngineCleaner<&F::CleanYahooProfiles>,
};
const SectionCleaner kICQ[4] = {
    EngineCleaner<&F::CleanICQBookmarks>,
    EngineCleaner<&F::CleanICQBrowserCache>,
    EngineCleaner<&F::CleanICQReceivedFiles>,
    EngineCleaner<&F::CleanICQChats>,
};
const SectionCleaner kMSN[2] = {
    EngineCleaner<&F::CleanMSNRecivedFolder>,
    EngineCleaner<&F::CleanMSNAccountSettings>,
};
const SectionCleaner kAOL[2] = {
    EngineCleaner<&F::CleanAOLTemp>,
    EngineCleaner<&F::CleanAOLDownloads>,
};

}  // namespace

std::span<const SectionCleaner> OfficeCleaners() { return kOffice; }
std::span<const SectionCleaner> OperaCleaners() { return kOpera; }
std::span<const SectionCleaner> YahooCleaners() { return kYahoo; }
std::span<const SectionCleaner> ICQCleaners() { return kICQ; }
std::span<const SectionCleaner> MSNCleaners() { return kMSN; }
std::span<const SectionCleaner> AOLCleaners() { return kAOL; }
SectionCleaner NetscapeCleaner() { return EngineCleaner<&F::CleanNetscape>; }
SectionCleaner IECleaner() { return EngineCleaner<&F::CleanIE>; }
