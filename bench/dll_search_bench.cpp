// The DLL search: N DLLs (half in the system folder, half copies of them on
// drive E, each naming a COM class) and 4N registry values (each class's
// server, threading model, program name and version-free name), searched
// from the DLL page; then the same search followed by one change of the
// match rule, which lists again. The CPU of the whole process per DLL at two
// sizes and their ratio.
//
//   dll_search_bench [small large]
#include "bench/child_cost.h"
#include "platform/files/stand_in.h"

namespace {

constexpr const char* kSystem = "C:\\WINDOWS\\system32\\";

std::string ClassId(int i) {
  char text[64];
  std::snprintf(text, sizeof text, "{%08X-1111-2222-3333-444444444444}", i);
  return text;
}

std::string Dll(int i) {
  return platform::files::StandInLine({{"version", "1.0.0." + std::to_string(i % 7)},
                                       {"typelib", "{0C0C0C0C-1111-2222-3333-444444444444}"},
                                       {"coclass", ClassId(i)}}) +
         std::string(64, 'x');
}

std::string Name(int i) { return "lib" + std::to_string(i) + ".dll"; }
std::string Copy(int i) { return "E:\\apps\\set" + std::to_string(i / 500) + "\\" + Name(i); }

void Build(const bench::fs::path& folder, int dlls) {
  std::string registry;
  int pairs = dlls / 2;
  for (int i = 0; i < pairs; ++i) {
    std::string key = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\" + ClassId(i);
    // Every other class is served by its copy on E (dropped from the list),
    // the rest by a file that is not there.
    std::string server = i % 2 ? Copy(i) : "C:\\Missing\\" + Name(i);
    registry += key + "\\InprocServer32]\r\n@=\"" + bench::Escaped(server) + "\"\r\n\"ThreadingModel\"=\"Both\"\r\n";
    registry += key + "\\ProgID]\r\n@=\"Vendor.Lib" + std::to_string(i) + ".1\"\r\n";
    registry += key + "\\VersionIndependentProgID]\r\n@=\"Vendor.Lib" + std::to_string(i) + "\"\r\n";
  }
  platform::MachineBuilder builder(platform::OsKind::WinXP);
  platform::DriveDescription data;
  data.letter = 'E';
  data.capacity = 1ull << 30;
  data.label = "DATA";
  builder.systemDriveCapacity(4ull << 30).drive(data).registry(registry);
  install::InstallProgram(builder).Build(folder);
  for (int i = 0; i < pairs; ++i) {
    platform::PutBuilderFile(folder, kSystem + Name(i), Dll(i));
    platform::PutBuilderFile(folder, Copy(i), Dll(i));
  }
}

void Search(bool relist) {
  auto& form = Form1();
  for (int i = 1; i <= form.lstDllDrives.Count(); ++i) {
    auto& node = form.lstDllDrives.Item(i);
    if (!node.Parent() && node.Key == "E:\\") node.Checked = true;
  }
  form.ShowThatFrame(form.Frame_DLLs);
  form.cmdStartCleanDLLs_Click();
  if (relist) {
    form.optDll(1).Value(true);
    form.optDll_Click(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--child") {
    std::string row = argv[2];
    return bench::ChildMain(argv[4], std::atoi(argv[3]), [row](int dlls) {
      Search(row == "relist");
      // Every pair matches; the registered half is dropped, after a relist too.
      int expected = dlls / 2 - dlls / 4;
      if (Form1().lstDlls.Count() != expected) std::exit(3);
    });
  }
  int small = argc > 2 ? std::atoi(argv[1]) : 1250, large = argc > 2 ? std::atoi(argv[2]) : 10000;
  bench::ScratchFolder scratch("tsy-lists-bench");
  for (const char* row : {"search", "relist"}) {
    bench::Size a = bench::MeasureItems(scratch.path_, row, small, Build, 3);
    bench::Size b = bench::MeasureItems(scratch.path_, row, large, Build, 3);
    bench::Report(std::string("DLL ") + (row == std::string("search") ? "search" : "search + rule change"), a, b,
                  "DLLs");
  }
  return 0;
}
