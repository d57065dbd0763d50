// Progress of a cleaning run: item counts before the run, and the two bars
// and two size labels after each item.
#include <algorithm>

#include "mainwindow/Form1.h"
#include "platform/runtime/conversions.h"
#include "platform/base/cp1252.h"

using namespace platform::forms;

namespace {

double Sum(const ControlArray<CheckBox>& boxes) {
  double sum = 0;
  for (int i = 0; i < boxes.Count(); ++i) sum += boxes(i).Value();  // a greyed box counts 2
  return sum;
}

// Bars take whole percentages in 0..100.
float BarValue(double percent) {
  return static_cast<float>(platform::vb::RoundHalfEven(std::clamp(percent, 0.0, 100.0)));
}

}  // namespace

void Form1Form::CalcCleanSessions() {
  cWindows = cIE = cNetScape = cMSN = cYahoo = cIcq = cAOL = cOffice = cHardDisk = cOpera = cExtra = 0;
  cSystem = cBrowsers = cMessengers = cOptimization = 0;
  cBuiltIn = cPlugins = 0;
  fcWindows = fcIE = fcNetScape = fcMSN = fcYahoo = fcIcq = fcAOL = fcOffice = fcHardDisk = fcOpera = fcExtra = 0;
  fcSystem = fcBrowsers = fcMessengers = fcOptimization = 0;
  fcBuiltIn = fcPlugins = 0;

  cIE = Sum(chkIE);
  cNetScape = Sum(chkNetScape);
  cOpera = Sum(chkOpera);
  cAOL = Sum(chkAOL);
  cBrowsers = cIE + cNetScape + cOpera + cAOL;
  cWindows = Sum(chkWindows);
  cOffice = Sum(chkOffice);
  cHardDisk = Sum(chkHardDisk);
  cSystem = cWindows + cOffice + cHardDisk;
  cMSN = Sum(chkMSN);
  cIcq = Sum(chkICQ);
  cYahoo = Sum(chkYahoo);
  cMessengers = cMSN + cIcq + cYahoo;
  for (int i = 1; i <= LSTEPI.Count(); ++i)
    if (LSTEPI.Item(i).Checked) cExtra += 1;
  for (int i = 0; i < lstBPI.ListCount(); ++i)
    if (lstBPI.Selected(i)) cBuiltIn += 1;
}

// The run bar leaves the hard-disk items out and divides by one more than
// the items counted, as the program always has.
void Form1Form::CalcProg(const std::string& tag) {
  struct Progress {
    const char* tag;
    double done, todo;
  };
  const Progress sections[] = {
      {"WINDOWS", fcWindows, cWindows}, {"OFFICE", fcOffice, cOffice}, {"HARDDISK", fcHardDisk, cHardDisk},
      {"IE", fcIE, cIE},                {"NETSCAPE", fcNetScape, cNetScape}, {"AOL", fcAOL, cAOL},
      {"OPERA", fcOpera, cOpera},       {"MSN", fcMSN, cMSN},             {"ICQ", fcIcq, cIcq},
      {"YAHOO", fcYahoo, cYahoo},       {"EXTRA", fcExtra, cExtra},       {"BUILTIN", double(fcBuiltIn), double(cBuiltIn)},
  };
  double sectionPercent = 0;
  for (const auto& section : sections) {
    if (!platform::EqualsNoCase(section.tag, tag)) continue;
    if (section.todo != 0) sectionPercent = section.done / section.todo * 100;
    break;
  }
  double done = 0, todo = 0;
  for (const auto& section : sections) {
    if (std::string_view(section.tag) == "HARDDISK") continue;
    done += section.done;
    todo += section.todo;
  }
  double runPercent = platform::vb::RoundHalfEven(platform::vb::RoundHalfEven(done * 100) / (todo + 1));

  prgCurrent.Value(BarValue(sectionPercent));
  prgTotal.Value(BarValue(runPercent));
  lblTotalSize.Caption(platform::vb::CStr(RestoredSize) + " Bytes");
  Refresh();
  lblCurrentSize.Caption(platform::vb::CStr(RestoredSize - PreSize) + " Bytes");
  Refresh();
}
