// The start-up manager's list: N Run values in each of HKEY_CURRENT_USER
// and HKEY_LOCAL_MACHINE, listed by the main window's start-up. The CPU of
// the whole process per entry at two sizes and their ratio.
//
//   startup_list_bench [small large]   (entries per hive)
#include "bench/child_cost.h"

namespace {

constexpr const char* kRun = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string RunValues(const char* root, int count) {
  std::string text = "[" + std::string(root) + kRun + "]\r\n";
  for (int i = 0; i < count; ++i)
    text += "\"Program " + std::to_string(i) + "\"=\"" +
            bench::Escaped("C:\\Program Files\\Vendor " + std::to_string(i) + "\\start.exe /quiet") + "\"\r\n";
  return text;
}

void Build(const bench::fs::path& folder, int entries) {
  bench::BuildMachine(folder, RunValues("HKEY_CURRENT_USER", entries) + RunValues("HKEY_LOCAL_MACHINE", entries),
                      nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--child") {
    return bench::ChildMain(argv[4], std::atoi(argv[3]), [](int entries) {
      // The program's own Run entry may be there too.
      if (Form1().LSTPR.Count() < 2 * entries) std::exit(3);
    });
  }
  int small = argc > 2 ? std::atoi(argv[1]) : 2500, large = argc > 2 ? std::atoi(argv[2]) : 10000;
  bench::ScratchFolder scratch("tsy-lists-bench");
  bench::Size a = bench::MeasureItems(scratch.path_, "startup", small, Build);
  bench::Size b = bench::MeasureItems(scratch.path_, "startup", large, Build);
  // Each hive holds `items` values: the cost per listed entry is half.
  a.perItem /= 2;
  b.perItem /= 2;
  bench::Report("start-up list (both hives)", {2 * a.items, a.perItem}, {2 * b.items, b.perItem}, "entries");
  return 0;
}
