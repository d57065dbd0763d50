// "Delete Custom Files" over C:\Tree (the delete walker, also used by the
// folder rows of extra plug-ins), in folders of a thousand files: the CPU
// of the whole process per file at two sizes, their ratio, and the ratio to
// `rm -rf` of an identical host tree written in the same run.
//
//   custom_files_bench [small large]
#include <fstream>

#include "bench/child_cost.h"
#include "cleaning/frmClean.h"

namespace {

constexpr int kFilesPerFolder = 1000;

void MakeFiles(const bench::fs::path& root, int files) {
  bench::fs::create_directories(root);
  for (int i = 0; i < files; ++i) {
    bench::fs::path folder = root / ("dir" + std::to_string(i / kFilesPerFolder));
    if (i % kFilesPerFolder == 0) bench::fs::create_directories(folder);
    std::ofstream(folder / ("file" + std::to_string(i) + ".tmp")) << "small file " << i;
  }
}

void Build(const bench::fs::path& folder, int files) {
  bench::BuildMachine(folder, "", [files](const bench::fs::path& machine) {
    MakeFiles(platform::HostPathForBuilder(machine, "C:\\Tree"), files);
  });
}

// rm -rf's CPU per file over a copy of the same tree.
double RmPerFile(const bench::fs::path& scratch, int files) {
  std::vector<double> perFile;
  bench::fs::path copy = scratch / "copy";
  for (int i = 0; i < 5; ++i) {
    MakeFiles(copy, files);
    perFile.push_back(bench::ChildCpu({"/bin/rm", "-rf", copy.string()}) / files);
  }
  return bench::Median(perFile);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--child") {
    return bench::ChildMain(argv[4], std::atoi(argv[3]), [](int files) {
      std::int32_t bytes = frmClean().CleanCustomFile("C:\\Tree", "*.*", -1, -1);
      if (files > 0 && bytes == 0) std::exit(3);  // nothing deleted: no figure
    });
  }
  int small = argc > 2 ? std::atoi(argv[1]) : 4000, large = argc > 2 ? std::atoi(argv[2]) : 16000;
  bench::ScratchFolder scratch("tsy-lists-bench");
  bench::Size a = bench::MeasureItems(scratch.path_, "custom", small, Build);
  bench::Size b = bench::MeasureItems(scratch.path_, "custom", large, Build);
  bench::Report("Delete Custom Files", a, b, "files");
  double rmSmall = RmPerFile(scratch.path_, small), rmLarge = RmPerFile(scratch.path_, large);
  std::printf("%-28s %7d files: %8.2f us each; %7d: %8.2f us each; ours / rm -rf: %.2f and %.2f\n", "rm -rf",
              small, 1e6 * rmSmall, large, 1e6 * rmLarge, a.perItem / rmSmall, b.perItem / rmLarge);
  return 0;
}
