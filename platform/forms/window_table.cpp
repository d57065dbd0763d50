#include "platform/forms/window_table.h"

#include <algorithm>

namespace platform::forms {

HWND WindowTable::Create(WindowTarget& target, HWND parent) {
  HWND handle = next_;
  next_ += 4;
  WindowRecord record;
  record.target = &target;
  record.parent = Find(parent) ? parent : 0;
  record.procedure = ProcedureId(&RuntimeWindowProc);
  records_.emplace_back(handle, std::move(record));
  auto& siblings = SiblingsOf(records_.back().second.parent);
  siblings.insert(siblings.begin(), handle);
  return handle;
}

WindowRecord* WindowTable::Find(HWND window) {
  if (window == 0) return nullptr;
  for (auto& [handle, record] : records_)
    if (handle == window) return &record;
  return nullptr;
}

std::vector<HWND>& WindowTable::SiblingsOf(HWND parent) {
  if (WindowRecord* record = Find(parent)) return record->children;
  return topLevel_;
}

const std::vector<HWND>& WindowTable::Children(HWND parent) { return SiblingsOf(parent); }

void WindowTable::Unlink(HWND window) {
  WindowRecord* record = Find(window);
  if (!record) return;
  auto& siblings = SiblingsOf(record->parent);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
}

void WindowTable::Destroy(HWND window) {
  WindowRecord* record = Find(window);
  if (!record) return;
  Unlink(window);
  std::vector<HWND> orphans = record->children;
  for (HWND child : orphans) {
    if (WindowRecord* childRecord = Find(child)) childRecord->parent = 0;
    topLevel_.insert(topLevel_.begin(), child);
  }
  records_.erase(std::find_if(records_.begin(), records_.end(),
                              [window](const auto& entry) { return entry.first == window; }));
}

HWND WindowTable::Reparent(HWND window, HWND parent) {
  WindowRecord* record = Find(window);
  if (!record) return 0;
  HWND old = record->parent;
  Unlink(window);
  record = Find(window);
  record->parent = Find(parent) ? parent : 0;
  auto& siblings = SiblingsOf(record->parent);
  siblings.insert(siblings.begin(), window);
  return old;
}

void WindowTable::BringToTop(HWND window) {
  WindowRecord* record = Find(window);
  if (!record) return;
  Unlink(window);
  auto& siblings = SiblingsOf(record->parent);
  siblings.insert(siblings.begin(), window);
}

void WindowTable::SendToBack(HWND window) {
  WindowRecord* record = Find(window);
  if (!record) return;
  Unlink(window);
  SiblingsOf(record->parent).push_back(window);
}

void WindowTable::Reset() {
  records_.clear();
  topLevel_.clear();
  next_ = kFirstHandle;
  nextIcon_ = kFirstIcon;
}

WindowTable& Windows() {
  static WindowTable* table = new WindowTable;  // outlives every form
  return *table;
}

namespace {
std::vector<WNDPROC>& ProcedureTable() {
  static std::vector<WNDPROC> table;
  return table;
}
constexpr LONG kFirstProcedureId = 0x00401000;
constexpr LONG kProcedureIdStep = 0x10;
}  // namespace

LONG ProcedureId(WNDPROC procedure) {
  if (!procedure) return 0;
  auto& table = ProcedureTable();
  auto it = std::find(table.begin(), table.end(), procedure);
  if (it == table.end()) it = table.insert(table.end(), procedure);
  return kFirstProcedureId + static_cast<LONG>(it - table.begin()) * kProcedureIdStep;
}

WNDPROC ProcedureFromId(LONG id) {
  auto& table = ProcedureTable();
  if (id < kFirstProcedureId || (id - kFirstProcedureId) % kProcedureIdStep != 0) return nullptr;
  std::size_t slot = static_cast<std::size_t>((id - kFirstProcedureId) / kProcedureIdStep);
  return slot < table.size() ? table[slot] : nullptr;
}

LRESULT RuntimeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowRecord* record = Windows().Find(window);
  if (!record || !record->target) return 0;
  return record->target->OnMessage(message, wParam, lParam);
}

}  // namespace platform::forms
