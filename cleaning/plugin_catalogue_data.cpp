#include "cleaning/plugin_builder.h"

// The catalogue in list order. Entries marked Authored() name the usual
// trace locations of their application (recent-file lists, histories,
// caches, logs, temporary files) chosen by us; their counts of each kind
// of action and their bases keep the original list's shape.
std::vector<BuiltInPlugin> BuildBuiltInCatalogue() {
  CatalogueBuilder c;

  // ACDSee
  c.Add(PluginBuilder(0)
            .Base(AppDataBase())
            .Values(R"(HKey_Current_User\Software\ACD Systems\ACDSee)", {"openfolder", "lastfolder"})
            .Values(R"(HKey_Users\.default\Software\ACD Systems\ACDSee)", {"lastfolder", "openfolder"})
            .Values(R"(HKey_Current_User\Software\ACD Systems\ACDSee)", {"histpaths"})
            .Values(R"(HKey_Users\.default\Software\ACD Systems\ACDSee)", {"histpaths"})
            .File(0, R"(ACD Systems\ACDSee\ImageDB.ddf)")
            .File(0, R"(ACD Systems\ACDSee\ImageDB.dtf)"));
  // Adobe Acrobat Full 4.x
  c.Add(PluginBuilder(1).ValueRange(R"(HKey_Current_User\Software\Adobe\Adobe Acrobat\4.0\AdobeViewer)",
                                    "avpRecentFile", 1, 9));
  // Adobe Acrobat Reader 5.x
  c.Add(PluginBuilder(2)
            .Key(R"(HKEY_CURRENT_USER\Software\Adobe\Acrobat Reader\5.0\AVGeneral\cRecentFiles)")
            .Key(R"(HKEY_CURRENT_USER\Software\Adobe\Acrobat\5.0\Weblink\5.0\OpenURL)"));
  // Adobe Acrobat Reader 4.x
  c.Add(PluginBuilder(3).Authored().ValueRange(R"(HKey_Current_User\Software\Adobe\Acrobat Reader\4.0\AdobeViewer)",
                                               "avpRecentFile", 1, 9));
  // Adobe Photoshop 6.x
  c.Add(PluginBuilder(4)
            .Base(AppDataBase())
            .File(0, R"(Adobe\Photoshop\6.0\Adobe Photoshop 6 Settings\Adobe Photoshop 6 Prefs.psp)")
            .Key(R"(HKey_Current_User\Software\Adobe\Photoshop\6.0\VisitedDirs)"));
  // Animation Shop 3.x
  c.Add(PluginBuilder(5).Key(R"(HKey_Current_User\Software\Jasc\Animation Shop 3\FileOpenDialog)"));
  // Animation Shop 1.x
  c.Add(PluginBuilder(6)
            .Values(R"(HKey_Current_User\Software\JASC\Animation Shop\FileOpenDialog)", {"OpenImageDir"})
            .Values(R"(HKey_Current_User\Software\JASC\Animation Shop\FileSaveDialog)", {"SaveImageDir"})
            .Values(R"(HKey_Current_User\Software\JASC\Animation Shop\SaveAsDialog)", {"SaveAsDir"})
            .ValueRange(R"(HKey_Current_User\Software\JASC\Animation Shop\Recent File List)", "File", 1, 10));
  // Axialis Media Browser
  c.Add(PluginBuilder(7)
            .Key(R"(HKey_Current_User\Software\Axialis\MediaBrowser\CoolBarList)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Axialis\MediaBrowser\CoolBarList)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Axialis\MediaBrowser\folders)")
            .Key(R"(HKey_Current_User\Software\Axialis\MediaBrowser\folders)")
            .Key(R"(HKey_Current_User\Software\Axialis\MediaBrowser\Recent File List)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Axialis\MediaBrowser\Recent File List)"));
  // Babylon
  c.Add(PluginBuilder(8)
            .Key(R"(HKey_Current_User\Software\Babylon\Babylon Translator\Users\Default\History)")
            .Key(R"(HKey_Current_User\Software\Babylon\Babylon Translator\WebSearch)")
            .Key(R"(HKey_Current_User\Software\Babylon\Babylon Translator\Users\Default\WebSearch)")
            .Key(R"(HKey_Users\.Default\Software\Babylon\Babylon Translator\Users\Default\History)")
            .Key(R"(HKey_Users\.Default\Software\Babylon\Babylon Translator\Users\Default\WebSearch)")
            .Key(R"(HKey_Users\.Default\Software\Babylon\Babylon Translator\WebSearch)"));
  // Chameleon Web Browser
  c.Add(PluginBuilder(9)
            .Key(R"(HKey_Current_User\Software\DMT\BROWSER\ComboBox\URLS\NonAdult)")
            .Key(R"(HKey_Current_User\Software\DMT\BROWSER\DEFAULTS)")
            .Key(R"(HKey_Current_User\Software\DMT\BROWSER\ComboBox)"));
  // CRT 2.x
  c.Add(PluginBuilder(10).Authored().ValueRange(R"(HKey_Current_User\Software\VanDyke\CRT\Recent Sessions)", "Session",
                                                1, 9));
  // Windows Direct X Logs
  c.Add(PluginBuilder(11).Base(WindowsDir()).File(0, "Directx.log"));
  // Macromedia Dreamweaver 3.x
  c.Add(PluginBuilder(12)
            .Authored()
            .Key(R"(HKey_Current_User\Software\Macromedia\Dreamweaver 3\Recent File List)")
            .Key(R"(HKey_Current_User\Software\Macromedia\Dreamweaver 3\Recent Site List)")
            .Values(R"(HKey_Current_User\Software\Macromedia\Dreamweaver 3\Settings)",
                    {"Last Open Directory", "Last Save Directory"}));
  // Macromedia Dreamweaver Ultradev 4.x
  c.Add(PluginBuilder(13)
            .Authored()
            .Key(R"(HKey_Current_User\Software\Macromedia\Dreamweaver UltraDev 4\Recent File List)")
            .Key(R"(HKey_Current_User\Software\Macromedia\Dreamweaver UltraDev 4\Recent Site List)")
            .Values(R"(HKey_Current_User\Software\Macromedia\Dreamweaver UltraDev 4\Settings)",
                    {"Last Open Directory", "Last Save Directory"}));
  // EditPad
  c.Add(PluginBuilder(14).Authored().Key(R"(HKey_Current_User\Software\JGsoft\EditPad\Recent Files)"));
  // FlashGet(JetCar)
  c.Add(PluginBuilder(15).Authored().Key(R"(HKey_Current_User\Software\JetCar\JetCar\History)"));
  // Microsoft FreeCell game
  c.Add(PluginBuilder(16).Values(R"(HKey_Current_User\Software\Microsoft\Windows\CurrentVersion\Applets\FreeCell)",
                                 {"losses", "lost", "streak", "stype", "wins", "won"}));
  // Front Page Express
  c.Add(PluginBuilder(17).Authored().ValueRange(R"(HKey_Current_User\Software\Microsoft\FrontPad\Recent File List)",
                                                "File", 1, 4));
  // Microsoft Front Page
  c.Add(
      PluginBuilder(18)
          .ValueRange(R"(HKey_Current_User\Software\Microsoft\FrontPage\Explorer\FrontPage Explorer\Recent File List)",
                      "File", 1, 8)
          .ValueRange(R"(HKey_Current_User\Software\Microsoft\FrontPage\Explorer\FrontPage Explorer\Recent Page List)",
                      "File", 1, 8)
          .ValueRange(R"(HKey_Current_User\Software\Microsoft\FrontPage\Explorer\FrontPage Explorer\Recent Web List)",
                      "File", 1, 8));
  // FTP Voyager
  c.Add(PluginBuilder(19)
            .Base(Install("FTP Voyager", R"(C:\Program Files\RhinoSoft.com\FTP Voyager)"))
            .Key(R"(HKEY_CURRENT_USER\Software\Rhino Software\FTP Voyager\Most Recent Sites)")
            .File(0, "FTPVoyager.qc")
            .File(0, "LocalCache.cache")
            .File(0, "FTP Voyager Scheduler.SCH.Backup")
            .Key(R"(HKEY_CURRENT_USER\Software\Rhino Software\FTP Voyager\Most Recent Sites)"));
  // GetRight 3.x
  c.Add(PluginBuilder(20)
            .ValueRange(R"(HKEY_CURRENT_USER\Software\HeadLight\GetRight\MRU)", "Desc", 0, 3)
            .ValueRange(R"(HKEY_CURRENT_USER\Software\HeadLight\GetRight\MRU)", "File", 0, 3)
            .ValueRange(R"(HKEY_CURRENT_USER\Software\HeadLight\GetRight\MRU)", "URL", 0, 3)
            .Key(R"(HKEY_CURRENT_USER\Software\HeadLight\GetRight\TypedURLS)")
            .Key(R"(HKEY_CURRENT_USER\Software\HeadLight\GetRight\Recent File List)")
            .Key(R"(HKEY_CURRENT_USER\Software\HeadLight\GetRight\RecentServers)"));
  // Gold Wave Editor
  c.Add(PluginBuilder(21).Authored().Base(WindowsDir()).File(0, R"(TEMP\GoldWave.tmp)"));
  // Graphics Workshop Pro All Versions
  c.Add(PluginBuilder(22).Authored().Base(WindowsDir()).File(0, "GWSPRO.LOG"));
  // Google Toolbar
  c.Add(PluginBuilder(23)
            .Authored()
            .Key(R"(HKey_Current_User\Software\Google\NavClient\1.1\History)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Google\NavClient\1.1\History)"));
  // Allaire Homesite 4.x
  c.Add(PluginBuilder(24).Authored().ValueRange(R"(HKey_Current_User\Software\Allaire\HomeSite4\Recent File List)",
                                                "File", 1, 10));
  // Internet Explorer (4.x and 5.x)
  c.Add(PluginBuilder(25)
            .Values(R"(HKey_Current_User\Software\Microsoft\Internet Explorer)", {"download directory"})
            .Values(R"(HKey_Users\.DEFAULT\Software\Microsoft\Internet Explorer)", {"download directory"}));
  // IrfanView All Versions
  c.Add(PluginBuilder(26).Authored().Base(WindowsDir()).File(0, "i_view32.his"));
  // Imaging for Windows
  c.Add(PluginBuilder(27).Authored().ValueRange(R"(HKey_Current_User\Software\Wang\Imaging\Recent File List)", "File",
                                                1, 4));
  // LViewPro 2.x
  c.Add(PluginBuilder(28).Authored().ValueRange(R"(HKey_Current_User\Software\MMedia\LViewPro\Recent File List)",
                                                "File", 1, 4));
  // Microsoft Works 4.x
  c.Add(PluginBuilder(29).Authored().Key(R"(HKey_Current_User\Software\Microsoft\Works\4.0\Recent File List)"));
  // Netzip Download Demon 3.x
  c.Add(PluginBuilder(30)
            .Authored()
            .Key(R"(HKey_Current_User\Software\NetZip\Download Demon\History)")
            .Key(R"(HKey_Current_User\Software\NetZip\Download Demon\Recent URLs)")
            .Key(R"(HKey_Current_User\Software\NetZip\Download Demon\Recent Folders)")
            .Key(R"(HKey_Users\.DEFAULT\Software\NetZip\Download Demon\History)"));
  // Paint Shop Pro 5.x
  c.Add(PluginBuilder(31)
            .Authored()
            .ValueRange(R"(HKey_Current_User\Software\Jasc\Paint Shop Pro 5\Recent File List)", "File", 1, 9)
            .ValueRange(R"(HKey_Current_User\Software\Jasc\Paint Shop Pro 5\Recent Browse Folders)", "Folder", 1, 9)
            .Values(R"(HKey_Current_User\Software\Jasc\Paint Shop Pro 5\Directories)",
                    {"OpenImageDir", "SaveImageDir", "SaveAsDir", "ImportDir", "ExportDir", "BrowseDir"}));
  // Paint Shop Pro 6.x
  c.Add(PluginBuilder(32)
            .Authored()
            .ValueRange(R"(HKey_Current_User\Software\Jasc\Paint Shop Pro 6\Recent File List)", "File", 1, 9)
            .ValueRange(R"(HKey_Current_User\Software\Jasc\Paint Shop Pro 6\Recent Browse Folders)", "Folder", 1, 9)
            .Values(R"(HKey_Current_User\Software\Jasc\Paint Shop Pro 6\Directories)",
                    {"OpenImageDir", "SaveImageDir", "SaveAsDir", "ExportDir", "BrowseDir"}));
  // Paint Shop Pro 7.x
  c.Add(PluginBuilder(33)
            .Authored()
            .ValueRange(R"(HKey_Current_User\Software\Jasc\Paint Shop Pro 7\Recent File List)", "File", 1, 9)
            .ValueRange(R"(HKey_Current_User\Software\Jasc\Paint Shop Pro 7\Recent Browse Folders)", "Folder", 1, 9)
            .Values(R"(HKey_Current_User\Software\Jasc\Paint Shop Pro 7\Directories)",
                    {"OpenImageDir", "SaveImageDir", "SaveAsDir", "ExportDir", "BrowseDir"}));
  // Microsoft Photo Editor 3.x
  c.Add(PluginBuilder(34).Authored().ValueRange(
      R"(HKey_Current_User\Software\Microsoft\Photo Editor\3.0\Microsoft Photo Editor\Recent File List)", "File", 1,
      4));
  // PhotoDraw 2000
  c.Add(PluginBuilder(35).Authored().ValueRange(
      R"(HKey_Current_User\Software\Microsoft\PhotoDraw\1.0\Recent File List)", "File", 1, 9));
  // Ulead Photo Express (2.x and 3.x)
  c.Add(PluginBuilder(36).Authored().Key(
      R"(HKey_Current_User\Software\Ulead Systems\Ulead Photo Express\Recent File List)"));
  // PhotoImpact 5.x
  c.Add(PluginBuilder(37).Authored().Key(
      R"(HKey_Current_User\Software\Ulead Systems\Ulead PhotoImpact\5.0\Recent File List)"));
  // PhotoImpact 6.x
  c.Add(PluginBuilder(38).Authored().Key(
      R"(HKey_Current_User\Software\Ulead Systems\Ulead PhotoImpact\6.0\Recent File List)"));
  // Micrografx Picture Publisher 8.x
  c.Add(PluginBuilder(39).Authored().ValueRange(
      R"(HKey_Current_User\Software\Micrografx\Picture Publisher\8.0\Recent File List)", "File", 1, 10));
  // PhotoImpact Viewer 4.x
  c.Add(PluginBuilder(40).Authored().Key(
      R"(HKey_Current_User\Software\Ulead Systems\Ulead PhotoImpact Viewer\4.0\Recent File List)"));
  // OnTrack Powerdesk 4.x
  c.Add(
      PluginBuilder(41)
          .Authored()
          .ValueRange(R"(HKEY_CURRENT_USER\Software\OnTrack\PowerDesk\Version4.0\ExplorerPlus\UnZip To)", "History", 1,
                      9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\OnTrack\PowerDesk\Version4.0\ExplorerPlus\Zip To)", "History", 1, 9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\OnTrack\PowerDesk\Version4.0\ExplorerPlus\Compare Folders)",
                      "History", 1, 9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\OnTrack\PowerDesk\Version4.0\ExplorerPlus\DOS Command Line)",
                      "History", 1, 9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\OnTrack\PowerDesk\Version4.0\Viewer\ConvertDestination)", "History",
                      1, 9)
          .Values(R"(HKEY_CURRENT_USER\Software\OnTrack\PowerDesk\Version4.0\SizeManager)", {"CurrentPath"})
          .ValueRange(R"(HKEY_CURRENT_USER\Software\OnTrack\PowerDesk\Version4.0\PDFind\Extensions)", "", 1, 9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\OnTrack\PowerDesk\Version4.0\PDFind\FileNames)", "", 1, 9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\OnTrack\PowerDesk\Version4.0\PDFind\Paths)", "", 1, 9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\OnTrack\PowerDesk\Version4.0\PDFind\Texts)", "", 1, 9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\OnTrack\PowerDesk\Version4.0\Synchronizer)", "History", 1, 9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\OnTrack\PowerDesk\Version4.0\Toolbar)", "History", 1, 9)
          .Key(R"(HKEY_CURRENT_USER\Software\OnTrack\PowerDesk\Version4.0\DlgDirectory)")
          .Key(R"(HKEY_CURRENT_USER\Software\OnTrack\PowerDesk\Version4.0\DlgFile)"));
  // Outlook Express 5.x
  c.Add(PluginBuilder(42).Base(AppDataBase()).Folder(0, R"(Microsoft\Outlook Express)", "*.dbx"));
  // Mijenix Powerdesk 3.x
  c.Add(
      PluginBuilder(43)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\Mijenix\PowerDesk\Version3.0\ExplorerPlus\UnZip To)", "History", 1,
                      9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\Mijenix\PowerDesk\Version3.0\ExplorerPlus\Zip To)", "History", 1, 9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\Mijenix\PowerDesk\Version3.0\ExplorerPlus\Compare Folders)",
                      "History", 1, 9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\Mijenix\PowerDesk\Version3.0\ExplorerPlus\DOS Command Line)",
                      "History", 1, 9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\Mijenix\PowerDesk\Version3.0\Viewer\ConvertDestination)", "History",
                      1, 9)
          .Values(R"(HKEY_CURRENT_USER\Software\Mijenix\PowerDesk\Version3.0\SizeManager)", {"CurrentPath"})
          .ValueRange(R"(HKEY_CURRENT_USER\Software\Mijenix\PowerDesk\Version3.0\PDFind\Extensions)", "", 1, 9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\Mijenix\PowerDesk\Version3.0\PDFind\FileNames)", "", 1, 9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\Mijenix\PowerDesk\Version3.0\PDFind\Paths)", "", 1, 9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\Mijenix\PowerDesk\Version3.0\PDFind\Texts)", "", 1, 9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\Mijenix\PowerDesk\Version3.0\Synchronizer)", "History", 1, 9)
          .ValueRange(R"(HKEY_CURRENT_USER\Software\Mijenix\PowerDesk\Version3.0\Toolbar)", "History", 1, 9)
          .Key(R"(HKEY_CURRENT_USER\Software\Mijenix\PowerDesk\Version3.0\DlgDirectory)")
          .Key(R"(HKEY_CURRENT_USER\Software\Mijenix\PowerDesk\Version3.0\DlgFile)"));
  // Real Networks Real Download Software
  c.Add(PluginBuilder(44)
            .Authored()
            .Key(R"(HKey_Current_User\Software\RealNetworks\RealDownload\History)")
            .Key(R"(HKey_Current_User\Software\RealNetworks\RealDownload\Recent URLs)")
            .Key(R"(HKey_Current_User\Software\RealNetworks\RealDownload\Recent Folders)")
            .Key(R"(HKey_Users\.DEFAULT\Software\RealNetworks\RealDownload\History)"));
  // Real Player 7.x, 8.x and GT2
  c.Add(
      PluginBuilder(45)
          .KeyRange(R"(HKey_Classes_Root\software\realnetworks\realplayer\6.0\preferences\mostrecentclips)", 1, 10)
          .KeyRange(
              R"(HKey_Local_Machine\software\classes\software\realnetworks\realplayer\6.0\preferences\mostrecentclips)",
              1, 10)
          .KeyRange(R"(HKey_Classes_Root\software\realnetworks\realplayer\6.0\preferences\openlocationclips)", 1, 10)
          .Key(R"(HKey_Local_Machine\software\classes\realnetworks\realplayer\6.0\preferences\openlocationclips1)")
          .KeyRange(
              R"(HKey_Local_Machine\software\classes\software\realnetworks\realplayer\6.0\preferences\openlocationclips)",
              2, 10)
          .Key(R"(HKey_Classes_Root\Software\RealNetworks\RealPlayer\6.0\Preferences\HistoryList\URL1)")
          .Key(R"(HKey_Classes_Root\Software\RealNetworks\RealPlayer\6.0\Preferences\LastOpenFileDir)"));
  // Windows Recent Network Drive List
  c.Add(PluginBuilder(46).Key(R"(HKEY_CURRENT_USER\Network\Recent)"));
  // Sonic Foundry Acid 2.x
  c.Add(PluginBuilder(47)
            .Key(R"(HKey_Current_User\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\LastVisitedMRU)")
            .Key(R"(HKey_Current_User\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSaveMRU\*)")
            .Key(R"(HKey_Current_User\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSaveMRU\acd)")
            .Key(R"(HKey_Current_User\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSaveMRU\wav)")
            .Key(R"(HKey_Current_User\Software\Sonic Foundry\ACID\2.0\Metrics)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\LastVisitedMRU)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSaveMRU\*)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSaveMRU\acd)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSaveMRU\wav)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Sonic Foundry\ACID\2.0\Metrics)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Sonic Foundry\ACID\2.0\Metrics\MRU Folders)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Sonic Foundry\ACID\2.0\Metrics\Kernel)"));
  // Sonique Player
  c.Add(PluginBuilder(48)
            .Authored()
            .Key(R"(HKey_Current_User\Software\Sonique\Recent Files)")
            .Key(R"(HKey_Current_User\Software\Sonique\Playlist History)")
            .Values(R"(HKey_Current_User\Software\Sonique\Settings)", {"LastDir"}));
  // Text Pad 3.x
  c.Add(PluginBuilder(49)
            .ValueRange(R"(HKey_Current_User\Software\Helios\TextPad 3\Recent File List)", "File", 1, 16)
            .ValueRange(R"(HKey_Current_User\Software\Helios\TextPad 3\Recent File List)", "FileType", 1, 16)
            .ValueRange(R"(HKey_Current_User\Software\Helios\TextPad 3\Recent Strings)", "Find", 0, 9)
            .ValueRange(R"(HKey_Current_User\Software\Helios\TextPad 3\Recent Strings)", "GrepFilter", 0, 9)
            .ValueRange(R"(HKey_Current_User\Software\Helios\TextPad 3\Recent Strings)", "GrepPath", 0, 9)
            .ValueRange(R"(HKey_Current_User\Software\Helios\TextPad 3\Recent Strings)", "Replace", 0, 9));
  // Text Pad 4.x
  c.Add(PluginBuilder(50)
            .Authored()
            .ValueRange(R"(HKey_Current_User\Software\Helios\TextPad 4\Recent File List)", "File", 1, 16)
            .ValueRange(R"(HKey_Current_User\Software\Helios\TextPad 4\Recent File List)", "FileType", 1, 16)
            .ValueRange(R"(HKey_Current_User\Software\Helios\TextPad 4\Recent Strings)", "Find", 0, 9)
            .ValueRange(R"(HKey_Current_User\Software\Helios\TextPad 4\Recent Strings)", "GrepFilter", 0, 9)
            .ValueRange(R"(HKey_Current_User\Software\Helios\TextPad 4\Recent Strings)", "GrepPath", 0, 9)
            .ValueRange(R"(HKey_Current_User\Software\Helios\TextPad 4\Recent Strings)", "Replace", 0, 9));
  // Ultimate Paint
  c.Add(PluginBuilder(51)
            .Authored()
            .Key(R"(HKey_Current_User\Software\Ultimate Paint\Recent File List)")
            .Key(R"(HKey_Current_User\Software\Ultimate Paint\Recent Folders)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Ultimate Paint\Recent File List)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Ultimate Paint\Recent Folders)")
            .Values(R"(HKey_Current_User\Software\Ultimate Paint\Settings)", {"LastDir"}));
  // WebFerret 3.x
  c.Add(PluginBuilder(52).Authored().Values(R"(HKey_Current_User\Software\FerretSoft\WebFerret\Settings)",
                                            {"SearchHistory"}));
  // WinAce Archiver 1.x
  c.Add(PluginBuilder(53)
            .Authored()
            .Key(R"(HKey_Current_User\Software\e-merge\WinAce\ArcHistory)")
            .Key(R"(HKey_Current_User\Software\e-merge\WinAce\ExtractHistory)")
            .Key(R"(HKey_Current_User\Software\e-merge\WinAce\AddHistory)"));
  // Windows Media Player 6.x or lower
  c.Add(PluginBuilder(54).Key(R"(HKey_Current_User\Software\Microsoft\MediaPlayer\Player\RecentURLList)"));
  // Microsoft Media Player 7.x
  c.Add(PluginBuilder(55)
            .Base(AppDataBase())
            .Base(WindowsDir())
            .Folder(0, R"(Microsoft\Media Player)")
            .File(1, "wmplibrary_v_0_12.db")
            .Values(R"(HKey_Current_User\Software\Microsoft\MediaPlayer\player\settings)", {"opendir"})
            .Key(R"(HKey_Current_User\Software\Microsoft\MediaPlayer\Player\RecentFileList)")
            .Values(R"(HKey_Users\.DEFAULT\Software\Microsoft\MediaPlayer\Player\Settings)", {"opendir"})
            .Key(R"(HKey_Users\.DEFAULT\Software\Microsoft\MediaPlayer\Player\RecentFileList)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Microsoft\MediaPlayer\Player\RecentURLList)"));
  // Windows Paint
  c.Add(PluginBuilder(56).ValueRange(
      R"(HKey_Current_User\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List)", "File", 1, 4));
  // Windows WordPad
  c.Add(PluginBuilder(57).ValueRange(
      R"(HKey_Current_User\Software\Microsoft\Windows\CurrentVersion\Applets\Wordpad\Recent File List)", "File", 1, 4));
  // Microsoft Word
  c.Add(PluginBuilder(58).Base(AppDataBase()).Folder(0, R"(Microsoft\Word)"));
  // MSN Explorer Browser 6.x
  c.Add(PluginBuilder(59)
            .Base(WindowsDir())
            .Base(AppDataBase())
            .File(0, R"(cookies\3\index.dat)")
            .File(0, R"(cookies\2\index.dat)")
            .File(0, R"(cookies\1\index.dat)")
            .Folder(1, "MSN6", "*.dat"));
  // MSN Browser 6.x Email
  c.Add(PluginBuilder(60).Base(AppDataBase()).Folder(0, "MSN6", "*.dbx"));
  // Norton AntiVirus 2000
  c.Add(PluginBuilder(61)
            .Base(RegistryValue(R"(HKEY_LOCAL_MACHINE\SOFTWARE\Symantec\InstalledApps)", "NAV"))
            .File(0, "Activity.log"));
  // Naviscope All Versions
  c.Add(PluginBuilder(62)
            .Authored()
            .Base(AppDataBase())
            .File(0, R"(Naviscope\history.txt)")
            .File(0, R"(Naviscope\urlhist.txt)")
            .File(0, R"(Naviscope\naviscope.log)"));
  // Windows ME Recent RegEdit open key
  c.Add(PluginBuilder(63).Values(R"(HKey_Current_User\Software\Microsoft\Windows\CurrentVersion\Applets\Regedit)",
                                 {"lastkey"}));
  // WinRAR (all versions)
  c.Add(PluginBuilder(64)
            .Key(R"(HKey_Current_User\Software\WinRAR\ArcHistory)")
            .Key(R"(HKey_Current_User\Software\WinRAR\DialogEditHistory)")
            .Values(R"(HKey_Current_User\Software\WinRAR\Compression)", {"deffolder"})
            .Values(R"(HKey_Current_User\Software\WinRAR\Extraction)", {"deffolder", "lastfolder"})
            .Values(R"(HKey_Current_User\Software\WinRAR\Paths)", {"startfolder"})
            .Key(R"(HKey_Users\.DEFAULT\Software\WinRAR\ArcHistory)")
            .Values(R"(HKey_Users\.DEFAULT\Software\WinRAR\Compression)", {"deffolder"})
            .Key(R"(HKey_Users\.DEFAULT\Software\WinRAR\DialogEditHistory)")
            .Key(R"(HKey_Users\.DEFAULT\Software\WinRAR\DialogEditHistory\ExtrPath)")
            .Values(R"(HKey_Users\.DEFAULT\Software\WinRAR\Extraction)", {"deffolder"}));
  // WinZip 7.x and 8.x
  c.Add(PluginBuilder(65)
            .Values(R"(HKey_Current_User\Software\Nico Mak Computing\WinZip\directories)", {"DefDir", "ExtractTo"})
            .Key(R"(HKey_Current_User\Software\Nico Mak Computing\WinZip\extract)")
            .Key(R"(HKey_Current_User\Software\Nico Mak Computing\WinZip\filemenu)")
            .Values(R"(HKey_Current_User\Software\Nico Mak Computing\WinZip\rrs)", {"Opened"})
            .Values(R"(HKey_Current_User\Software\Nico Mak Computing\WinZip\directories)",
                    {"zDefDir", "gzDefDir", "AddDir", "gzAddDir", "gzExtractTo"}));
  // Xara 3D 4.x
  c.Add(PluginBuilder(66).Authored().ValueRange(R"(HKey_Current_User\Software\Xara\Xara3D\4.0\Recent File List)",
                                                "File", 1, 4));
  // Yamaha S-YXG100
  c.Add(PluginBuilder(67).Authored().Key(R"(HKey_Current_User\Software\YAMAHA\S-YXG100\Recent File List)"));
  // ZipMagic All Versions
  c.Add(PluginBuilder(68)
            .ValueRange(R"(HKey_Current_User\Software\Mijenix\ZipMagic\CurrentVersion\Recent)", "", 1, 10)
            .ValueRange(R"(HKey_Current_User\Software\Mijenix\ZipMagic\CurrentVersion\Archive Manager\UnZip To)",
                        "History", 1, 10)
            .ValueRange(R"(HKey_Current_User\Software\Mijenix\ZipMagic\CurrentVersion\UnZip To)", "History", 1, 10)
            .ValueRange(R"(HKey_Current_User\Software\Mijenix\ZipMagic\CurrentVersion\Zip To)", "History", 1, 10));
  // Psion PsiWin 2.x
  c.Add(PluginBuilder(69)
            .Base(WindowsDir())
            .File(0, R"(TEMP\EPOCLOG.001)")
            .Key(R"(HKey_Current_User\Software\Psion\CurrentUser)")
            .Key(R"(HKey_Current_User\Software\Psion\Users)"));
  // Windows Task Scheduler Logs
  c.Add(PluginBuilder(70).Authored().Base(WindowsDir()).File(0, "SchedLog.txt"));
  // Miscrosoft Visual Studio 6.0
  c.Add(PluginBuilder(71)
            .Base(RegistryValue(R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\VisualStudio\6.0)", "InstallDir"))
            .Folder(0, "newfileitems")
            .Values(R"(HKey_Current_User\Software\Microsoft\MSE\9.0)",
                    {"defaultfileopenlocation", "defaultnewprojectlocation", "lastloadedsolution"})
            .Key(R"(HKey_Current_User\Software\Microsoft\MSE\9.0\FileMRUList)")
            .Key(R"(HKey_Current_User\Software\Microsoft\MSE\9.0\MenuMRUList)")
            .Key(R"(HKey_Current_User\Software\Microsoft\MSE\9.0\ProjectMRUList)")
            .Values(R"(HKey_Current_User\Software\Microsoft\MSE\10.0)",
                    {"defaultfileopenlocation", "defaultnewprojectlocation", "lastloadedsolution"})
            .Key(R"(HKey_Current_User\Software\Microsoft\MSE\10.0\FileMRUList)")
            .Key(R"(HKey_Current_User\Software\Microsoft\MSE\10.0\MenuMRUList)")
            .Key(R"(HKey_Current_User\Software\Microsoft\MSE\10.0\ProjectMRUList)"));
  // VuePrint All Versions
  c.Add(PluginBuilder(72).Authored().Base(WindowsDir()).File(0, "VUEPRINT.LOG"));
  // Windows WBEM Logs
  c.Add(PluginBuilder(73).Base(WindowsDir()).Folder(0, R"(SYSTEM\WBEM\logs)"));
  // Microsoft Web Folders
  c.Add(PluginBuilder(74).Authored().Base(AppDataBase()).Folder(0, R"(Microsoft\Web Folders)"));
  // Windows Address Books and Outlook Contacts
  c.Add(PluginBuilder(75).Base(AppDataBase()).Folder(0, R"(Microsoft\Address Book)"));
  // Windows Commander
  c.Add(PluginBuilder(76).Authored().Base(WindowsDir()).File(0, "WINCMD.LOG"));
  // Windows Fault Error Logs
  c.Add(PluginBuilder(77).Authored().Base(WindowsDir()).File(0, "FAULTLOG.TXT"));
  // Windows File Checked Logs
  c.Add(PluginBuilder(78).Authored().Base(WindowsDir()).File(0, "SFCLOG.TXT"));
  // Windows API Setup Logs
  c.Add(PluginBuilder(79).Base(WindowsDir()).File(0, "setupapi.log"));
  // Windows Winint Logs
  c.Add(PluginBuilder(80).Authored().Base(WindowsDir()).File(0, "WININIT.BAK"));
  // Zone Labs Zone Alarm Firewall
  c.Add(PluginBuilder(81).Authored().Base(WindowsDir()).File(0, R"(Internet Logs\ZALog.txt)"));
  // Cute MX
  c.Add(PluginBuilder(82)
            .Authored()
            .Base(AppDataBase())
            .Key(R"(HKey_Current_User\Software\GlobalSCAPE\CuteMX\History)")
            .Key(R"(HKey_Current_User\Software\GlobalSCAPE\CuteMX\Search History)")
            .Folder(0, R"(GlobalSCAPE\CuteMX\Cache)"));
  // AddSoft All Versions
  c.Add(PluginBuilder(83).Base(Install("AddFoft", R"(C:\Program Files\AddSoft)")).Folder(0, "reports"));
  // Cyberspace HQ - ADDWEB 3
  c.Add(PluginBuilder(84)
            .Authored()
            .Base(Install("Cyberspace HQ - ADDWEB 3", R"(C:\Program Files\AddWeb3)"))
            .Folder(0, "Reports"));
  // Advanced Disk Catalog
  c.Add(PluginBuilder(85)
            .Values(R"(HKey_Local_Machine\Software\Elcom\Advanced Disk Catalog\Search)", {"What"})
            .ValueRange(R"(HKey_Local_Machine\Software\Elcom\Advanced Disk Catalog\Search)", "What", 0, 19));
  // Forte Free Agent - Freeware Version
  c.Add(PluginBuilder(86)
            .Authored()
            .Base(Install("Forte Free Agent - Freeware Version", R"(C:\Program Files\Agent)"))
            .Folder(0, "Temp"));
  // AOL Browsers 5.x and 6.x
  c.Add(PluginBuilder(87)
            .Base(Install("AOL Browser 6.0", R"(C:\America Online 6.0)"))
            .Base(Install("AOL Browser 5.0", R"(C:\America Online 5.0)"))
            .Folder(0, "AOLTEMP")
            .Folder(0, "download")
            .Folder(1, "AOLTEMP")
            .Folder(1, "download"));
  // Windows Application Log Directory
  c.Add(PluginBuilder(88).Base(WindowsDir()).Folder(0, "AppLog"));
  // Xing Audiocatalyst All Versions
  c.Add(PluginBuilder(89)
            .Base(Install("XING AUDIOCATALYST", R"(C:\Program Files\Xing)"))
            .Folder(0, "AudioCatalyst", "*.wav")
            .Folder(0, "AudioCatalyst", "*.mp3")
            .Folder(0, "AudioCatalyst", "*.tmp"));
  // Adaptec Audio CD
  c.Add(PluginBuilder(90).Authored().Key(
      R"(HKey_Current_User\Software\Adaptec\Easy CD Creator\Audio CD\Recent File List)"));
  // AudioGalaxy Satalite
  c.Add(PluginBuilder(91)
            .Authored()
            .Base(Install("AudioGalaxy Satalite", R"(C:\Program Files\AudioGalaxy)"))
            .File(0, "SatLog.txt")
            .File(0, "History.dat")
            .File(0, "Transfers.dat"));
  // Audio Grabber All Versions
  c.Add(PluginBuilder(92)
            .Base(Install("Audio Grabber", R"(C:\Program Files\audiograbber)"))
            .FolderItself(0, "*.wav")
            .FolderItself(0, "*.mp3"));
  // BearShare
  c.Add(PluginBuilder(93)
            .Authored()
            .Base(Install("BearShare", R"(C:\Program Files\BearShare)"))
            .Folder(0, "Partials")
            .Folder(0, "Temp")
            .Folder(0, "Logs"));
  // Bookreader All Versions
  c.Add(PluginBuilder(94)
            .Authored()
            .Base(Install("Bookreader All Versions", R"(C:\Program Files\Bookreader)"))
            .File(0, "History.dat"));
  // Trellian's Classify 98
  c.Add(PluginBuilder(95)
            .Authored()
            .Base(Install("Trellian's Classify 98", R"(C:\Program Files\Trellian\Classify 98)"))
            .Folder(0, "Temp"));
  // CompuPic Pro
  c.Add(PluginBuilder(96)
            .Authored()
            .Base(Install("CompuPic Pro", R"(C:\Program Files\Photodex\CompuPic)"))
            .File(0, "CompuPic.log")
            .File(0, "Thumbnail.cache"));
  // Copernic 2001 Free Version
  c.Add(PluginBuilder(97)
            .Authored()
            .Base(Install("Copernic 2001 Free Version", R"(C:\Program Files\Copernic 2001)"))
            .Folder(0, "Cache"));
  // Copernic 2001 Basic
  c.Add(PluginBuilder(98)
            .Authored()
            .Base(Install("Copernic 2001 Basic", R"(C:\Program Files\Copernic 2001 Basic)"))
            .Folder(0, "Cache"));
  // Copernic Pro All Versions
  c.Add(PluginBuilder(99)
            .Authored()
            .Base(Install("Copernic Pro All Versions", R"(C:\Program Files\Copernic Pro)"))
            .Folder(0, "Cache"));
  // Globalscape Cute FTP 3.x and 4.x
  c.Add(PluginBuilder(100)
            .Authored()
            .Base(Install("Globalscape Cute FTP 3.x and 4.x", R"(C:\Program Files\GlobalSCAPE\CuteFTP)"))
            .Key(R"(HKey_Current_User\Software\GlobalSCAPE\CuteFTP\QuickConnect History)")
            .Key(R"(HKey_Current_User\Software\GlobalSCAPE\CuteFTP\Recent Sites)")
            .Key(R"(HKey_Users\.DEFAULT\Software\GlobalSCAPE\CuteFTP\QuickConnect History)")
            .Key(R"(HKey_Users\.DEFAULT\Software\GlobalSCAPE\CuteFTP\Recent Sites)")
            .ValueRange(R"(HKey_Current_User\Software\GlobalSCAPE\CuteFTP\History)", "Host", 1, 10)
            .Folder(0, "Logs"));
  // Executive Software Diskkeeper 5.x
  c.Add(PluginBuilder(101)
            .Authored()
            .Base(Install("Executive Software Diskkeeper 5.x", R"(C:\Program Files\Executive Software\Diskeeper)"))
            .File(0, "Diskeeper.log"));
  // Download Accelerator All Versions
  c.Add(PluginBuilder(102)
            .Authored()
            .Base(Install("Download Accelerator All Versions", R"(C:\Program Files\DAP)"))
            .Key(R"(HKey_Current_User\Software\SpeedBit\Download Accelerator\History)")
            .Key(R"(HKey_Current_User\Software\SpeedBit\Download Accelerator\Recent URLs)")
            .Key(R"(HKey_Current_User\Software\SpeedBit\Download Accelerator\Recent Folders)")
            .Key(R"(HKey_Users\.DEFAULT\Software\SpeedBit\Download Accelerator\History)")
            .Folder(0, "Temp")
            .Folder(0, "Banners"));
  // Enigma Browser All Versions
  c.Add(PluginBuilder(103)
            .Base(Install("Enigma Browser All Versions", R"(C:\Program Files\Enigma Browser 3.6.0)"))
            .Base(Install("Enigma Browser All Versions", R"(C:\Program Files\Enigma Browser Gold 4.4T)", "folder1"))
            .File(0, "History.dat")
            .File(1, "History.dat"));
  // Qualcomm Eudora Pro All Versions
  c.Add(PluginBuilder(104)
            .Base(Install("Qualcomm Eudora Pro All Versions", R"(C:\Program Files\Qualcomm\Eudora)"))
            .File(0, "Trash.toc")
            .File(0, "Trash.mbx"));
  // Firehand Ember
  c.Add(PluginBuilder(105)
            .Authored()
            .Key(R"(HKey_Current_User\Software\Firehand\Ember\Recent Files)")
            .Key(R"(HKey_Current_User\Software\Firehand\Ember\Recent Folders)")
            .Key(R"(HKey_Current_User\Software\Firehand\Ember\Slideshow History)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Firehand\Ember\Recent Files)")
            .Values(R"(HKey_Current_User\Software\Firehand\Ember\Settings)", {"LastFolder"}));
  // Firehand Lightning
  c.Add(PluginBuilder(106)
            .Authored()
            .Key(R"(HKey_Current_User\Software\Firehand\Lightning\Recent Files)")
            .Key(R"(HKey_Current_User\Software\Firehand\Lightning\Recent Folders)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Firehand\Lightning\Recent Files)"));
  // Macromedia Fireworks 3.x
  c.Add(PluginBuilder(107)
            .Authored()
            .Base(Install("Macromedia Fireworks 3.x", R"(C:\Program Files\Macromedia\Fireworks 3)"))
            .File(0, R"(Settings\Recent Files.txt)")
            .File(0, R"(Settings\History.txt)"));
  // Macromedia Fireworks 4.x
  c.Add(PluginBuilder(108)
            .Authored()
            .Base(Install("Macromedia Fireworks 4.x", R"(C:\Program Files\Macromedia\Fireworks 4)"))
            .File(0, R"(Configuration\Recent Files.txt)")
            .File(0, R"(Configuration\History.txt)")
            .File(0, R"(Configuration\Find History.txt)"));
  // Fix-It 2000
  c.Add(PluginBuilder(109)
            .Authored()
            .Base(Install("Fix-It 2000", R"(C:\Program Files\Fix-It)"))
            .Folder(0, "Logs")
            .File(0, "FixIt.log"));
  // Foto Station 4.x
  c.Add(PluginBuilder(110)
            .Authored()
            .Base(Install("Foto Station 4.x", R"(C:\Program Files\FotoStation)"))
            .Folder(0, "Cache"));
  // Gator All Versions
  c.Add(PluginBuilder(111)
            .Base(Install("GATOR All Versions", R"(C:\Program Files\gator.com\gator)"))
            .Base(WindowsDir())
            .Folder(0, "Banners")
            .Folder(0, "scripts")
            .File(0, "Gator.log")
            .File(1, "GatorPlugin.log")
            .File(1, "GatorSetup.log")
            .File(1, "GatorUninstaller.log"));
  // GetRight 4.x
  c.Add(PluginBuilder(112)
            .Authored()
            .Base(Install("GetRight 4.x", R"(C:\Program Files\GetRight)"))
            .Key(R"(HKEY_CURRENT_USER\Software\HeadLight\GetRight\TypedURLS)")
            .Key(R"(HKEY_CURRENT_USER\Software\HeadLight\GetRight\Recent File List)")
            .Key(R"(HKEY_CURRENT_USER\Software\HeadLight\GetRight\RecentServers)")
            .Key(R"(HKey_Users\.DEFAULT\Software\HeadLight\GetRight\TypedURLS)")
            .File(0, "GetRight.log"));
  // Aureate Go!Zilla All Versions
  c.Add(PluginBuilder(113)
            .Authored()
            .Base(Install("Aureate Go!Zilla All Versions", R"(C:\Program Files\GoZilla)"))
            .File(0, "GoZilla.log")
            .File(0, "Download.log")
            .File(0, "History.dat"));
  // Gravity Newsreader All Versions
  c.Add(PluginBuilder(114)
            .Base(Install("Gravity Newsreader All Versions", R"(C:\Program Files\Gravity)"))
            .Folder(0, "newsdb")
            .Folder(0, "download")
            .Folder(0, "parts")
            .Folder(0, "backup")
            .Key(R"(HKey_Current_User\Software\MicroPlanet\Gravity\Dirs)")
            .Key(R"(HKey_Users\.default\Software\MicroPlanet\Gravity\Dirs)")
            .Key(R"(HKey_Current_User\Software\MicroPlanet\Gravity\URL\Web)")
            .Key(R"(HKey_Current_User\Software\MicroPlanet\Gravity\URL\Telnet)")
            .Key(R"(HKey_Current_User\Software\MicroPlanet\Gravity\URL\Gopher)")
            .Key(R"(HKey_Current_User\Software\MicroPlanet\Gravity\URL\Ftp)")
            .Key(R"(HKey_Users\.DEFAULT\Software\MicroPlanet\Gravity\URL\Ftp)")
            .Key(R"(HKey_Users\.DEFAULT\Software\MicroPlanet\Gravity\URL\Gopher)")
            .Key(R"(HKey_Users\.DEFAULT\Software\MicroPlanet\Gravity\URL\Telnet)")
            .Key(R"(HKey_Users\.DEFAULT\Software\MicroPlanet\Gravity\URL\Web)")
            .Key(R"(HKey_Current_User\Software\MicroPlanet\Image Gallery\General)")
            .Key(R"(HKey_Users\.default\Software\MicroPlanet\Image Gallery\General)"));
  // HotJava Browser 3.x
  c.Add(PluginBuilder(115)
            .Authored()
            .Base(Install("HotJava Browser 3.x", R"(C:\Program Files\HotJava)"))
            .Folder(0, "cache")
            .Folder(0, "history"));
  // ICQ 2000 All Versions
  c.Add(PluginBuilder(116)
            .Base(RegistryValue(R"(HKEY_CURRENT_USER\SOFTWARE\Mirabilis\ICQ\Install\General)", "InstalledDir",
                                R"(C:\Program Files\ICQ)"))
            .Folder(0, "AteBrowser")
            .Folder(0, "Chats")
            .Folder(0, "Received Files")
            .Folder(0, "Bookmark"));
  // Imesh All Versions
  c.Add(PluginBuilder(117)
            .Authored()
            .Base(Install("Imesh All Versions", R"(C:\Program Files\iMesh)"))
            .Values(R"(HKey_Current_User\Software\iMesh\Client\Search)", {"SearchHistory", "LastSearch"})
            .Folder(0, "Incomplete")
            .Folder(0, "Temp"));
  // Inoculatelt PE All Versions
  c.Add(PluginBuilder(118)
            .Authored()
            .Base(Install("Inoculatelt PE All Versions", R"(C:\Program Files\InoculateIT)"))
            .File(0, "Inoc.log")
            .File(0, "Virus.log"));
  // Interquick All Versions
  c.Add(PluginBuilder(119)
            .Authored()
            .Base(Install("Interquick All Versions", R"(C:\Program Files\InterQuick)"))
            .Folder(0, "Cache"));
  // Juno All Versions
  c.Add(PluginBuilder(120)
            .Base(Install("Juno All Versions", R"(C:\Program Files\Juno)"))
            .Folder(0, "ads")
            .Folder(0, R"(spool\get)")
            .Folder(0, R"(spool\put)")
            .Folder(0, "tmp")
            .Folder(0, R"(USER0000\get)")
            .Folder(0, R"(USER0000\put)"));
  // Kazaa Media Desktop
  c.Add(PluginBuilder(121)
            .Authored()
            .Base(Install("Kazaa Media Desktop", R"(C:\Program Files\Kazaa)"))
            .Key(R"(HKey_Current_User\Software\Kazaa\Search\History)")
            .Folder(0, "Temp")
            .Folder(0, "Cache"));
  // Letterbox All Versions
  c.Add(PluginBuilder(122)
            .Authored()
            .Base(Install("Letterbox All Versions", R"(C:\Program Files\Letterbox)"))
            .File(0, "Letterbox.log"));
  // LingoMail 1.x
  c.Add(PluginBuilder(123)
            .Base(Install("LingoMail 1.x", R"(C:\LINGO)"))
            .Base(Install("LingoMail 1.x", R"(C:\Program Files\LINGO)", "folder1"))
            .Folder(0, "Attach")
            .Folder(1, "Attach"));
  // MetaPad
  c.Add(PluginBuilder(124).Authored().ValueRange(R"(HKey_Current_User\Software\metapad)", "mru_", 1, 9));
  // MGI PhotoSuite SE 1.x
  c.Add(PluginBuilder(125)
            .Authored()
            .Base(Install("MGI PhotoSuite SE 1.x", R"(C:\Program Files\MGI\PhotoSuite SE)"))
            .Folder(0, "Temp"));
  // MicroAngelo
  c.Add(PluginBuilder(126)
            .Authored()
            .Key(R"(HKey_Current_User\Software\Impact Software\MicroAngelo\Recent File List)")
            .Key(R"(HKey_Current_User\Software\Impact Software\MicroAngelo\Recent Folders)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Impact Software\MicroAngelo\Recent File List)"));
  // Miranda ICQ
  c.Add(PluginBuilder(127).Base(Install("Miranda ICQ", R"(C:\Program Files\Miranda ICQ)")).FolderItself(0, "*.hst"));
  // MIRC All Versions
  c.Add(PluginBuilder(128).Authored().Base(Install("MIRC All Versions", R"(C:\Program Files\mIRC)")).Folder(0, "logs"));
  // Webber Softwares Mozart 4.x
  c.Add(PluginBuilder(129).Authored().ValueRange(R"(HKey_Current_User\Software\Mozart\4.0\Recent File List)", "File", 1,
                                                 4));
  // Music Match Jukebox All Versions
  c.Add(PluginBuilder(130)
            .Authored()
            .Base(Install("Music Match Jukebox All Versions", R"(C:\Program Files\MusicMatch\MusicMatch Jukebox)"))
            .Folder(0, "Temp")
            .File(0, "mmjb.log")
            .File(0, "mmjbdebug.log")
            .File(0, "History.dat")
            .File(0, "RecentPlayed.dat")
            .File(0, "CDLookup.log")
            .File(0, "Download.log"));
  // Napster All Versions
  c.Add(PluginBuilder(131)
            .Base(Fixed(R"(C:\)"))
            .Base(Install("Napster All Versions", R"(C:\Program Files\Napster)"))
            .File(0, "shared.dat")
            .File(0, "notify.dat")
            .File(0, "channels.dat")
            .File(1, "channels.dat")
            .File(1, "notify.dat")
            .File(1, "shared.dat"));
  // Napster Incomplete Download Folder
  c.Add(PluginBuilder(132)
            .Authored()
            .Base(Install("Napster Incomplete Download Folder", R"(C:\Program Files\Napster)"))
            .Folder(0, "Incomplete"));
  // NetAnts All Versions
  c.Add(PluginBuilder(133)
            .Authored()
            .Base(Install("NetAnts All Versions", R"(C:\Program Files\NetAnts)"))
            .Key(R"(HKey_Current_User\Software\NetAnts\History)")
            .Key(R"(HKey_Current_User\Software\NetAnts\Recent URLs)")
            .File(0, "NetAnts.log")
            .File(0, "History.dat"));
  // NetCaptor
  c.Add(PluginBuilder(134).Authored().Key(R"(HKey_Current_User\Software\NetCaptor\TypedURLs)"));
  // Netmeeting
  c.Add(PluginBuilder(135)
            .Authored()
            .Base(Install("Netmeeting", R"(C:\Program Files\NetMeeting)"))
            .Key(R"(HKey_Current_User\Software\Microsoft\Conferencing\UI\CallMRU)")
            .Key(R"(HKey_Current_User\Software\Microsoft\Conferencing\UI\Directory)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Microsoft\Conferencing\UI\CallMRU)")
            .Key(R"(HKey_Users\.DEFAULT\Software\Microsoft\Conferencing\UI\Directory)")
            .Folder(0, "Temp")
            .File(0, "callinfo.log"));
  // Netsonic
  c.Add(PluginBuilder(136).Authored().Base(Install("Netsonic", R"(C:\Program Files\NetSonic)")).Folder(0, "Cache"));
  // Norton Commander
  c.Add(PluginBuilder(137)
            .Key(R"(HKey_Current_User\Software\Symantec\Norton Commander\nc_comp\Recent File List)")
            .Key(R"(HKey_Current_User\Software\Symantec\Norton Commander\nc_comp\Compare Files\File Name 1)")
            .Key(R"(HKey_Current_User\Software\Symantec\Norton Commander\nc_comp\Compare Files\File Name 2)")
            .Key(R"(HKey_Current_User\Software\Symantec\Norton Commander\NC\Recent File List)")
            .Key(R"(HKey_Current_User\Software\Symantec\Norton Commander\NC\MRU\Copy Destination)")
            .Key(R"(HKey_Current_User\Software\Symantec\Norton Commander\NC\MRU\Filters)")
            .Key(R"(HKey_Current_User\Software\Symantec\Norton Commander\NC\MRU\Find Source)")
            .Key(R"(HKey_Current_User\Software\Symantec\Norton Commander\NC\MRU\Mkdir)")
            .Key(R"(HKey_Current_User\Software\Symantec\Norton Commander\NC\MRU\Select)")
            .Key(R"(HKey_Current_User\Software\Symantec\Norton Commander\NC\MRU\Split Size)"));
  // Norton Personal Firewall
  c.Add(PluginBuilder(138)
            .Authored()
            .Base(Install("Norton Personal Firewall", R"(C:\Program Files\Norton Personal Firewall)"))
            .File(0, R"(Logs\Connections.log)")
            .File(0, R"(Logs\Alerts.log)")
            .File(0, R"(Logs\System.log)")
            .File(0, R"(Logs\Security.log)")
            .File(0, R"(Logs\Privacy.log)")
            .File(0, R"(Logs\WebHistory.log)")
            .File(0, R"(Logs\Debug.log)"));
  // Norton Internet Security
  c.Add(PluginBuilder(139)
            .Authored()
            .Base(Install("Norton Internet Security", R"(C:\Program Files\Norton Internet Security)"))
            .File(0, R"(Logs\Connections.log)")
            .File(0, R"(Logs\Alerts.log)")
            .File(0, R"(Logs\System.log)")
            .File(0, R"(Logs\Security.log)")
            .File(0, R"(Logs\Privacy.log)")
            .File(0, R"(Logs\WebHistory.log)")
            .File(0, R"(Logs\Debug.log)"));
  // NoteTab Lite
  c.Add(PluginBuilder(140)
            .Authored()
            .Base(Install("NoteTab Lite", R"(C:\Program Files\NoteTab Light)"))
            .File(0, "NoteTab.his"));
  // NoteTab Pro
  c.Add(PluginBuilder(141)
            .Authored()
            .Base(Install("NoteTab Pro", R"(C:\Program Files\NoteTab Pro)"))
            .File(0, "NoteTab.his"));
  // Omni Page 10
  c.Add(PluginBuilder(142)
            .Authored()
            .Base(AppDataBase())
            .ValueRange(R"(HKey_Current_User\Software\ScanSoft\OmniPage\10.0\Recent File List)", "File", 1, 4)
            .Folder(0, R"(ScanSoft\OmniPage\Temp)"));
  // Enfish Onespace All Versions
  c.Add(PluginBuilder(143)
            .Authored()
            .Base(Install("Enfish Onespace All Versions", R"(C:\Program Files\Enfish\Onespace)"))
            .Folder(0, "Cache"));
  // Opera 4.x, 5.x, or 6.x
  c.Add(PluginBuilder(144)
            .Base(Install("Opera 4.x, 5.x, or 6.x", R"(C:\Program Files\Opera)"))
            .Folder(0, "CACHE4")
            .File(0, "autopera.win")
            .File(0, "cookies4.dat")
            .File(0, "download.dat")
            .File(0, "global.dat")
            .File(0, "opera.dir")
            .File(0, "opera.win")
            .File(0, "vlink4.dat"));
  // POWWOW
  c.Add(PluginBuilder(145)
            .Authored()
            .Base(Install("POWWOW", R"(C:\Program Files\PowWow)"))
            .Folder(0, "Logs")
            .Folder(0, "Cache"));
  // Rapid Browser
  c.Add(PluginBuilder(146).Authored().Key(R"(HKey_Current_User\Software\Rapid Browser\History)"));
  // RapiGator
  c.Add(PluginBuilder(147)
            .Authored()
            .Base(Install("RapiGator", R"(C:\Program Files\RapiGator)"))
            .Folder(0, "Cache")
            .Folder(0, "History"));
  // Scour Exchange All Versions
  c.Add(PluginBuilder(148)
            .Authored()
            .Base(Install("Scour Exchange All Versions", R"(C:\Program Files\Scour\Scour Exchange)"))
            .Key(R"(HKey_Current_User\Software\Scour\Scour Exchange\Search History)")
            .Key(R"(HKey_Current_User\Software\Scour\Scour Exchange\Recent Downloads)")
            .Folder(0, "Incomplete")
            .File(0, "Scour.log")
            .File(0, "Transfers.dat"));
  // Trellian's SearchWolf
  c.Add(PluginBuilder(149)
            .Authored()
            .Base(Install("Trellian's SearchWolf", R"(C:\Program Files\Trellian\SearchWolf)"))
            .File(0, "History.dat"));
  // Smart FTP
  c.Add(PluginBuilder(150)
            .Authored()
            .Base(Install("Smart FTP", R"(C:\Program Files\SmartFTP)"))
            .Folder(0, "Cache")
            .File(0, "History.xml")
            .File(0, "QuickConnect.xml")
            .File(0, "Transfer.log"));
  // Spinner Plus
  c.Add(PluginBuilder(151)
            .Authored()
            .Base(Install("Spinner Plus", R"(C:\Program Files\Spinner)"))
            .File(0, "History.dat"));
  // Trellian's SubmitWolf Pro
  c.Add(PluginBuilder(152)
            .Authored()
            .Base(Install("Trellian's SubmitWolf Pro", R"(C:\Program Files\Trellian\SubmitWolf Pro)"))
            .Folder(0, "Logs"));
  // Trellian's SubmitWolf Pro DE - English/German
  c.Add(PluginBuilder(153)
            .Authored()
            .Base(Install("Trellian's SubmitWolf Pro DE - English/German",
                          R"(C:\Program Files\Trellian\SubmitWolf Pro DE)"))
            .Folder(0, "Logs"));
  // Teleport Pro All Versions
  c.Add(
      PluginBuilder(154)
          .Authored()
          .Base(Install("Teleport Pro All Versions", R"(C:\Program Files\Teleport Pro)"))
          .Key(R"(HKey_Current_User\Software\Tennyson Maxwell\Teleport Pro\Recent File List)")
          .Key(R"(HKey_Users\.DEFAULT\Software\Tennyson Maxwell\Teleport Pro\Recent File List)")
          .Values(R"(HKey_Current_User\Software\Tennyson Maxwell\Teleport Pro\Settings)", {"LastProjectDir", "LastURL"})
          .Folder(0, "Temp"));
  // Thumbs Plus 4.x
  c.Add(PluginBuilder(155)
            .Authored()
            .Base(Install("Thumbs Plus 4.x", R"(C:\Program Files\ThumbsPlus)"))
            .File(0, "thumbs4.td4")
            .File(0, "thumbs.log")
            .File(0, "history.dat"));
  // Winamp Player Any Version
  c.Add(PluginBuilder(156)
            .Authored()
            .Base(Install("Winamp Player Any Version", R"(C:\Program Files\Winamp)"))
            .File(0, "winamp.m3u"));
  // Windows Scan Disk Logs
  c.Add(PluginBuilder(157).Base(Install("Windows Scan Disk Logs", R"(C:\)")).File(0, "SCANDISK.LOG"));
  // Win MX
  c.Add(PluginBuilder(158)
            .Authored()
            .Base(Install("Win MX", R"(C:\Program Files\WinMX)"))
            .File(0, "WinMX.log")
            .File(0, "Transfers.dat"));
  // XING MP3 Player All Versions
  c.Add(PluginBuilder(159)
            .Authored()
            .Base(Install("XING MP3 Player All Versions", R"(C:\Program Files\Xing\XingMP3)"))
            .ValueRange(R"(HKey_Current_User\Software\Xing Technology\XingMP3\Recent File List)", "File", 1, 7)
            .File(0, "xingmp3.m3u"));
  // Yahoo! Media Player
  c.Add(PluginBuilder(160)
            .Base(Install("Yahoo! Media Player", R"(C:\Program Files\Yahoo!\Player)"))
            .File(0, "yplayer.ypl")
            .Key(R"(HKey_Current_User\Software\Yahoo\YPlayer\Recent URLs)")
            .Values(R"(HKey_Current_User\Software\Yahoo\YPlayer\Settings)", {"open initial dir"}));
  // Morpheous
  c.Add(
      PluginBuilder(161).Authored().Base(Install("Morpheous", R"(C:\Program Files\Morpheus)")).File(0, "Morpheus.log"));
  return std::move(c).Take();
}
