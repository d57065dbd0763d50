// The items of the application sections, in box order, and the browsers
// that clean as one item.
#include "mainwindow/run/section_cleaners.h"

namespace {

const SectionCleaner kOffice[7] = {
    nullptr,  // CleanOfficeAccessMRU
    nullptr,  // CleanOfficeWordMRU
    nullptr,  // CleanOfficeExcelMRU
    nullptr,  // CleanOfficePowerPointMRU
    nullptr,  // CleanOfficeOutlookMRU
    nullptr,  // CleanOfficePhotoEditorMRU
    nullptr,  // CleanOfficeRecent
};
const SectionCleaner kOpera[3] = {
    nullptr,  // CleanOperaHistory
    nullptr,  // CleanOperaCookie
    nullptr,  // CleanOperaCache
};
const SectionCleaner kYahoo[2] = {
    nullptr,  // CleanYahooPager
    nullptr,  // CleanYahooProfiles
};
const SectionCleaner kICQ[4] = {
    nullptr,  // CleanICQBookmarks
    nullptr,  // CleanICQBrowserCache
    nullptr,  // CleanICQReceivedFiles
    nullptr,  // CleanICQChats
};
const SectionCleaner kMSN[2] = {
    nullptr,  // CleanMSNRecivedFolder
    nullptr,  // CleanMSNAccountSettings
};
const SectionCleaner kAOL[2] = {
    nullptr,  // CleanAOLTemp
    nullptr,  // CleanAOLDownloads
};

}  // namespace

std::span<const SectionCleaner> OfficeCleaners() { return kOffice; }
std::span<const SectionCleaner> OperaCleaners() { return kOpera; }
std::span<const SectionCleaner> YahooCleaners() { return kYahoo; }
std::span<const SectionCleaner> ICQCleaners() { return kICQ; }
std::span<const SectionCleaner> MSNCleaners() { return kMSN; }
std::span<const SectionCleaner> AOLCleaners() { return kAOL; }
SectionCleaner NetscapeCleaner() { return nullptr; }  // CleanNetscape
SectionCleaner IECleaner() { return nullptr; }        // CleanIE
