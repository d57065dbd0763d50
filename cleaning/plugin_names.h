#pragma once
// The display names of the built-in plug-ins in list order. The main window
// fills its plug-in list from this table and the catalogue takes each entry's
// name from it by position, so the list, the stored selection (kept by
// position) and the runner's look-up always agree. Spelling is kept exactly
// as the program has always shown it.
#include <array>
#include <cstddef>
#include <string_view>

inline constexpr std::size_t kBuiltInPluginCount = 162;

inline constexpr std::array<std::string_view, kBuiltInPluginCount> kBuiltInPluginNames = {
    "ACDSee",  // 0
    "Adobe Acrobat Full 4.x",  // 1
    "Adobe Acrobat Reader 5.x",  // 2
    "Adobe Acrobat Reader 4.x",  // 3
    "Adobe Photoshop 6.x",  // 4
    "Animation Shop 3.x",  // 5
    "Animation Shop 1.x",  // 6
    "Axialis Media Browser",  // 7
    "Babylon",  // 8
    "Chameleon Web Browser",  // 9
    "CRT 2.x",  // 10
    "Windows Direct X Logs",  // 11
    "Macromedia Dreamweaver 3.x",  // 12
    "Macromedia Dreamweaver Ultradev 4.x",  // 13
    "EditPad",  // 14
    "FlashGet(JetCar)",  // 15
    "Microsoft FreeCell game",  // 16
    "Front Page Express",  // 17
    "Microsoft Front Page",  // 18
    "FTP Voyager",  // 19
    "GetRight 3.x",  // 20
    "Gold Wave Editor",  // 21
    "Graphics Workshop Pro All Versions",  // 22
    "Google Toolbar",  // 23
    "Allaire Homesite 4.x",  // 24
    "Internet Explorer (4.x and 5.x)",  // 25
    "IrfanView All Versions",  // 26
    "Imaging for Windows",  // 27
    "LViewPro 2.x",  // 28
    "Microsoft Works 4.x",  // 29
    "Netzip Download Demon 3.x",  // 30
    "Paint Shop Pro 5.x",  // 31
    "Paint Shop Pro 6.x",  // 32
    "Paint Shop Pro 7.x",  // 33
    "Microsoft Photo Editor 3.x",  // 34
    "PhotoDraw 2000",  // 35
    "Ulead Photo Express (2.x and 3.x)",  // 36
    "PhotoImpact 5.x",  // 37
    "PhotoImpact 6.x",  // 38
    "Micrografx Picture Publisher 8.x",  // 39
    "PhotoImpact Viewer 4.x",  // 40
    "OnTrack Powerdesk 4.x",  // 41
    "Outlook Express 5.x",  // 42
    "Mijenix Powerdesk 3.x",  // 43
    "Real Networks Real Download Software",  // 44
    "Real Player 7.x, 8.x and GT2",  // 45
    "Windows Recent Network Drive List",  // 46
    "Sonic Foundry Acid 2.x",  // 47
    "Sonique Player",  // 48
    "Text Pad 3.x",  // 49
    "Text Pad 4.x",  // 50
    "Ultimate Paint",  // 51
    "WebFerret 3.x",  // 52
    "WinAce Archiver 1.x",  // 53
    "Windows Media Player 6.x or lower",  // 54
    "Microsoft Media Player 7.x",  // 55
    "Windows Paint",  // 56
    "Windows WordPad",  // 57
    "Microsoft Word",  // 58
    "MSN Explorer Browser 6.x",  // 59
    "MSN Browser 6.x Email",  // 60
    "Norton AntiVirus 2000",  // 61
    "Naviscope All Versions",  // 62
    "Windows ME Recent RegEdit open key",  // 63
    "WinRAR (all versions)",  // 64
    "WinZip 7.x and 8.x",  // 65
    "Xara 3D 4.x",  // 66
    "Yamaha S-YXG100",  // 67
    "ZipMagic All Versions",  // 68
    "Psion PsiWin 2.x",  // 69
    "Windows Task Scheduler Logs",  // 70
    "Miscrosoft Visual Studio 6.0",  // 71
    "VuePrint All Versions",  // 72
    "Windows WBEM Logs",  // 73
    "Microsoft Web Folders",  // 74
    "Windows Address Books and Outlook Contacts",  // 75
    "Windows Commander",  // 76
    "Windows Fault Error Logs",  // 77
    "Windows File Checked Logs",  // 78
    "Windows API Setup Logs",  // 79
    "Windows Winint Logs",  // 80
    "Zone Labs Zone Alarm Firewall",  // 81
    "Cute MX",  // 82
    "AddSoft All Versions",  // 83
    "Cyberspace HQ - ADDWEB 3",  // 84
    "Advanced Disk Catalog",  // 85
    "Forte Free Agent - Freeware Version",  // 86
    "AOL Browsers 5.x and 6.x",  // 87
    "Windows Application Log Directory",  // 88
    "Xing Audiocatalyst All Versions",  // 89
    "Adaptec Audio CD",  // 90
    "AudioGalaxy Satalite",  // 91
    "Audio Grabber All Versions",  // 92
    "BearShare",  // 93
    "Bookreader All Versions",  // 94
    "Trellian's Classify 98",  // 95
    "CompuPic Pro",  // 96
    "Copernic 2001 Free Version",  // 97
    "Copernic 2001 Basic",  // 98
    "Copernic Pro All Versions",  // 99
    "Globalscape Cute FTP 3.x and 4.x",  // 100
    "Executive Software Diskkeeper 5.x",  // 101
    "Download Accelerator All Versions",  // 102
    "Enigma Browser All Versions",  // 103
    "Qualcomm Eudora Pro All Versions",  // 104
    "Firehand Ember",  // 105
    "Firehand Lightning",  // 106
    "Macromedia Fireworks 3.x",  // 107
    "Macromedia Fireworks 4.x",  // 108
    "Fix-It 2000",  // 109
    "Foto Station 4.x",  // 110
    "Gator All Versions",  // 111
    "GetRight 4.x",  // 112
    "Aureate Go!Zilla All Versions",  // 113
    "Gravity Newsreader All Versions",  // 114
    "HotJava Browser 3.x",  // 115
    "ICQ 2000 All Versions",  // 116
    "Imesh All Versions",  // 117
    "Inoculatelt PE All Versions",  // 118
    "Interquick All Versions",  // 119
    "Juno All Versions",  // 120
    "Kazaa Media Desktop",  // 121
    "Letterbox All Versions",  // 122
    "LingoMail 1.x",  // 123
    "MetaPad",  // 124
    "MGI PhotoSuite SE 1.x",  // 125
    "MicroAngelo",  // 126
    "Miranda ICQ",  // 127
    "MIRC All Versions",  // 128
    "Webber Softwares Mozart 4.x",  // 129
    "Music Match Jukebox All Versions",  // 130
    "Napster All Versions",  // 131
    "Napster Incomplete Download Folder",  // 132
    "NetAnts All Versions",  // 133
    "NetCaptor",  // 134
    "Netmeeting",  // 135
    "Netsonic",  // 136
    "Norton Commander",  // 137
    "Norton Personal Firewall",  // 138
    "Norton Internet Security",  // 139
    "NoteTab Lite",  // 140
    "NoteTab Pro",  // 141
    "Omni Page 10",  // 142
    "Enfish Onespace All Versions",  // 143
    "Opera 4.x, 5.x, or 6.x",  // 144
    "POWWOW",  // 145
    "Rapid Browser",  // 146
    "RapiGator",  // 147
    "Scour Exchange All Versions",  // 148
    "Trellian's SearchWolf",  // 149
    "Smart FTP",  // 150
    "Spinner Plus",  // 151
    "Trellian's SubmitWolf Pro",  // 152
    "Trellian's SubmitWolf Pro DE - English/German",  // 153
    "Teleport Pro All Versions",  // 154
    "Thumbs Plus 4.x",  // 155
    "Winamp Player Any Version",  // 156
    "Windows Scan Disk Logs",  // 157
    "Win MX",  // 158
    "XING MP3 Player All Versions",  // 159
    "Yahoo! Media Player",  // 160
    "Morpheous",  // 161
};
