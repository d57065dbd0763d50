#pragma once
// Writes a TCP/IP profile into the network stack of the system's family:
// text values under the 9x stack's keys, numbers under the NT stack's, with
// the browser's connection limits and each adapter's MTU and MSS. A backup
// of the values it replaces comes first; without one nothing is written.
#include "tuning/tcp_profile.h"

namespace tuning {

enum class ApplyResult { Applied, NoBackup, UnknownSystem };

// Shows a message when no backup could be written.
ApplyResult ApplyTcpSettings(const TcpProfile& profile = CurrentProfile);

}  // namespace tuning
