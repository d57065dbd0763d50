// The extra plug-in store read at start-up: N plug-ins in the enciphered
// store, listed and checked for installation by the main window's load.
// The CPU of the whole process per plug-in at two sizes and their ratio.
//
//   plugin_store_bench [small large]
#include "bench/child_cost.h"
#include "mainwindow/plugins/plugin_store.h"

namespace {

std::string Section(int i) {
  std::string n = std::to_string(i);
  return "[Tool " + n + "]\r\nCAT=Tools\r\nDefault=True\r\nDetect=HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor" + n +
         "\r\nAPP=HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor" + n +
         "+ Value`= Path\r\nRC=2\r\nRK1=HKEY_CURRENT_USER\\Software\\Vendor" + n +
         "\\Recent- TSYRegSubKeys\r\nRK2=HKEY_CURRENT_USER\\Software\\Vendor" + n +
         "+ Value`= Last\r\nFC=1\r\nFK1=%APP%\\Cache+ Value`= *.tmp\r\n";
}

void Build(const bench::fs::path& folder, int plugins) {
  std::string registry;
  // Half the plug-ins find their program installed.
  for (int i = 0; i < plugins; i += 2)
    registry += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor" + std::to_string(i) + "]\r\n\"Path\"=\"C:\\\\Vendor\\\\tool.exe\"\r\n";
  bench::BuildMachine(folder, registry, [plugins](const bench::fs::path& machine) {
    if (plugins == 0) return;
    std::string text;
    for (int i = 0; i < plugins; ++i) text += Section(i);
    FileBytes store = EncipherStoreBytes(FileBytes(text.begin(), text.end()));
    platform::PutBuilderFile(machine, "C:\\Program Files\\Tessaly\\Plugins\\PLUGINS.dbs",
                             std::string(store.begin(), store.end()));
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--child") {
    return bench::ChildMain(argv[4], std::atoi(argv[3]), [](int plugins) {
      if (Form1().LSTEPI.Count() != plugins) std::exit(3);
    });
  }
  int small = argc > 2 ? std::atoi(argv[1]) : 125, large = argc > 2 ? std::atoi(argv[2]) : 500;
  bench::ScratchFolder scratch("tsy-lists-bench");
  // A small store's share of a start is small beside the start's own
  // noise: more pairs steady its figure.
  bench::Size a = bench::MeasureItems(scratch.path_, "plugins", small, Build, 9);
  bench::Size b = bench::MeasureItems(scratch.path_, "plugins", large, Build, 9);
  bench::Report("extra plug-in store load", a, b, "plug-ins");
  return 0;
}
