#pragma once
// The network stack's registry keys of a test machine of either family,
// two adapters each: shared by the tuning tests and the fuzz targets.

namespace tessaly::testing {

// The network keys of a 9x machine: two NetTrans adapters and a few live
// values (DefaultTTL present, the window sizes missing).
inline const char* kNetwork9x = R"(
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\MSTCP]
"DefaultTTL"="32"
"PMTUDiscovery"="1"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetTrans\0000]
"DriverDesc"="TCP/IP"
"MaxMTU"="1500"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetTrans\0001]
"DriverDesc"="TCP/IP"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Internet Settings]
"MaxConnectionsPerServer"="2"
)";

// The NT machine's: two interfaces with their service keys.
inline const char* kNetworkNT = R"(
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\Tcpip\Parameters]
"DefaultTTL"=dword:00000080
"SackOpts"=dword:00000000

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\Tcpip\Parameters\Interfaces\{11111111-AAAA}]
"MTU"=dword:000005dc

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\Tcpip\Parameters\Interfaces\{22222222-BBBB}]

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\{11111111-AAAA}\Parameters\Tcpip]

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\{22222222-BBBB}\Parameters\Tcpip]

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\NWLink\Ndi\params\cachesize]

[HKEY_CURRENT_USER\SOFTWARE\Microsoft\Windows\CurrentVersion\Internet Settings]
"MaxConnectionsPerServer"=dword:00000002
)";

}  // namespace tessaly::testing
