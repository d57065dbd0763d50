#include "platform/machine/host_facts.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <memory>
#include <new>
#include <sstream>
#include <string>
#include <vector>

namespace platform {
namespace {

std::optional<std::string> ReadProcFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The whitespace-separated numbers after the first word of `line`.
std::vector<std::uint64_t> NumbersAfterWord(std::string_view line) {
  std::vector<std::uint64_t> numbers;
  std::size_t at = line.find_first_of(" \t");
  while (at != std::string_view::npos && at < line.size()) {
    at = line.find_first_not_of(" \t", at);
    if (at == std::string_view::npos) break;
    std::uint64_t number = 0;
    auto [end, error] = std::from_chars(line.data() + at, line.data() + line.size(), number);
    if (error != std::errc()) break;
    numbers.push_back(number);
    at = static_cast<std::size_t>(end - line.data());
  }
  return numbers;
}

template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    visit(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

bool IsNumberedCpuLine(std::string_view line) {
  return line.size() > 3 && line.substr(0, 3) == "cpu" && line[3] >= '0' && line[3] <= '9';
}

std::uint32_t HostTicksPerSecond() {
  long hz = sysconf(_SC_CLK_TCK);
  return hz > 0 ? static_cast<std::uint32_t>(hz) : 100;
}

std::uint64_t HostResidentBytes() {
  auto statm = ReadProcFile("/proc/self/statm");
  if (!statm) return 0;
  std::vector<std::uint64_t> pages = NumbersAfterWord(*statm);  // the first field is the size
  long pageSize = sysconf(_SC_PAGESIZE);
  return pages.empty() || pageSize <= 0 ? 0 : pages[0] * static_cast<std::uint64_t>(pageSize);
}

// The real toucher: the block is filled with UTF-16 blanks, so every page is
// really taken, then released.
bool TouchHostMemory(std::uint64_t bytes) {
  std::uint64_t blanks = bytes / 2;
  if (blanks == 0) return true;
  std::unique_ptr<std::uint16_t[]> block(new (std::nothrow) std::uint16_t[blanks]);
  if (!block) return false;
  std::fill_n(block.get(), blanks, std::uint16_t{0x20});
  // Nothing reads the block, so an optimising compiler would drop the fill
  // and the allocation with it: the pages must become resident for real.
  asm volatile("" : : "r"(block.get()) : "memory");
  return true;
}

}  // namespace

std::uint64_t BytesToTouch(std::uint64_t requested, std::uint64_t hostAvailable) {
  return std::min({requested, hostAvailable / 2, kMaxTouchedBytes});
}

std::optional<ProcessorTimes> ParseProcStat(std::string_view text) {
  std::optional<ProcessorTimes> times;
  int processors = 0;
  ForEachLine(text, [&](std::string_view line) {
    if (IsNumberedCpuLine(line)) {
      ++processors;
    } else if (line.substr(0, 4) == "cpu " && !times) {
      std::vector<std::uint64_t> fields = NumbersAfterWord(line);
      if (fields.size() < 4) return;
      times.emplace();
      // user nice system idle iowait irq softirq steal (guest time is
      // already inside user and nice).
      for (std::size_t i = 0; i < std::min<std::size_t>(fields.size(), 8); ++i) times->totalTicks += fields[i];
      times->idleTicks = fields[3] + (fields.size() > 4 ? fields[4] : 0);
    }
  });
  if (times) times->processors = std::max(processors, 1);
  return times;
}

std::optional<MemoryFigures> ParseMemInfo(std::string_view text) {
  MemoryFigures figures;
  bool total = false, available = false;
  std::uint64_t freeKb = 0;
  ForEachLine(text, [&](std::string_view line) {
    std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return;
    std::string_view name = line.substr(0, colon);
    std::vector<std::uint64_t> numbers = NumbersAfterWord(line.substr(colon));
    if (numbers.empty()) return;
    std::uint64_t bytes = numbers[0] * 1024;
    if (name == "MemTotal") figures.totalPhys = bytes, total = true;
    else if (name == "MemAvailable") figures.availPhys = bytes, available = true;
    else if (name == "MemFree") freeKb = numbers[0];
    else if (name == "SwapTotal") figures.totalSwap = bytes;
    else if (name == "SwapFree") figures.freeSwap = bytes;
  });
  if (!total) return std::nullopt;
  // Kernels before 3.14 have no MemAvailable; the free figure is the nearest.
  if (!available) figures.availPhys = freeKb * 1024;
  return figures;
}

std::optional<ProcessorTimes> HostFacts::Processor() {
  if (processorInjected_) return processor_;
  auto text = ReadProcFile("/proc/stat");
  if (!text) return std::nullopt;
  auto times = ParseProcStat(*text);
  if (times) times->ticksPerSecond = HostTicksPerSecond();
  return times;
}

std::optional<MemoryFigures> HostFacts::Memory() {
  if (memoryInjected_) return memory_;
  auto text = ReadProcFile("/proc/meminfo");
  if (!text) return std::nullopt;
  auto figures = ParseMemInfo(*text);
  if (figures) figures->residentBytes = HostResidentBytes();
  return figures;
}

bool HostFacts::TouchAndRelease(std::uint64_t bytes) {
  if (toucher_) return toucher_(bytes);
  auto figures = Memory();
  return TouchHostMemory(BytesToTouch(bytes, figures ? figures->availPhys : 0));
}

std::uint32_t HostFacts::TicksPerSecond() {
  if (!processorInjected_) return HostTicksPerSecond();
  return processor_ && processor_->ticksPerSecond ? processor_->ticksPerSecond : 100;
}

void HostFacts::InjectProcessor(std::optional<ProcessorTimes> reading) {
  processorInjected_ = true;
  processor_ = reading;
}

void HostFacts::InjectMemory(std::optional<MemoryFigures> figures) {
  memoryInjected_ = true;
  memory_ = figures;
}

}  // namespace platform
