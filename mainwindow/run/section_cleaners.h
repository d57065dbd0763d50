#pragma once
// The engine's cleaner behind each item box of a section. A null entry is a
// cleaner the engine does not have yet: that item removes nothing.
#include <cstdint>
#include <span>

#include "mainwindow/cleaning_engine.h"

using SectionCleaner = std::int64_t (*)();

// Windows (24 items) and hard disk (items 0 and 1; item 2 is the custom
// files): windows_cleaners.cpp.
std::span<const SectionCleaner> WindowsCleaners();
std::span<const SectionCleaner> HardDiskCleaners();
// Office, Opera, Yahoo, ICQ, MSN and AOL: application_cleaners.cpp.
std::span<const SectionCleaner> OfficeCleaners();
std::span<const SectionCleaner> OperaCleaners();
std::span<const SectionCleaner> YahooCleaners();
std::span<const SectionCleaner> ICQCleaners();
std::span<const SectionCleaner> MSNCleaners();
std::span<const SectionCleaner> AOLCleaners();
// Netscape and IE run as one item each; null until the engine has them.
SectionCleaner NetscapeCleaner();
SectionCleaner IECleaner();
