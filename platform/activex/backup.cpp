// The selection, the two jobs and the main control's late-bound members.
#include "platform/activex/backup.h"

#include "platform/base/journal.h"
#include "platform/base/runtime_error.h"

namespace platform::activex {
namespace {

// A property get or put of one stored scalar; DISP_E_MEMBERNOTFOUND for a
// method call.
template <typename T, typename Convert>
HRESULT Access(T& field, DispatchKind kind, const DispatchArgs& args, forms::Property* result, Convert convert) {
  if (kind == DispatchKind::PropertyGet) {
    if (result) *result = forms::Property(field);
    return S_OK;
  }
  if (kind != DispatchKind::PropertyPut) return DISP_E_MEMBERNOTFOUND;
  if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
  try {
    field = convert(args[0]);
    return S_OK;
  } catch (const RuntimeError&) {
    return DISP_E_TYPEMISMATCH;
  }
}

HRESULT Text(std::string& field, DispatchKind kind, const DispatchArgs& args, forms::Property* result) {
  return Access(field, kind, args, result, [](const forms::Property& v) { return vb::CStr(v); });
}
HRESULT Number(std::int32_t& field, DispatchKind kind, const DispatchArgs& args, forms::Property* result) {
  return Access(field, kind, args, result, [](const forms::Property& v) { return vb::CLng(v); });
}
HRESULT Flag(bool& field, DispatchKind kind, const DispatchArgs& args, forms::Property* result) {
  return Access(field, kind, args, result, [](const forms::Property& v) { return vb::CBool(v); });
}

}  // namespace

void FileSelection::Add(const std::string& pattern, bool recursive) {
  TheJournal().Record("Backup", {Name(), "Add", pattern, recursive ? "True" : "False"});
  items_.push_back(pattern);
}

void FileSelection::Restrict(const std::string& pattern) {
  TheJournal().Record("Backup", {Name(), "Restrict", pattern});
  restriction_ = pattern.empty() ? "*" : pattern;
}

void FileSelection::Clear() {
  TheJournal().Record("Backup", {Name(), "Clear"});
  items_.clear();
  restriction_ = "*";
}

HRESULT FileSelection::Invoke(DISPID dispid, DispatchKind kind, const DispatchArgs& args, forms::Property* result) {
  if (kind != DispatchKind::Method) return DISP_E_MEMBERNOTFOUND;
  std::size_t wanted = dispid == kDispidSelectionAdd ? 2 : dispid == kDispidSelectionRestrict ? 1 : 0;
  if (dispid != kDispidSelectionAdd && dispid != kDispidSelectionRestrict && dispid != kDispidSelectionClear)
    return DISP_E_MEMBERNOTFOUND;
  if (args.size() != wanted) return DISP_E_BADPARAMCOUNT;
  try {
    if (dispid == kDispidSelectionAdd) Add(vb::CStr(args[0]), vb::CBool(args[1]));
    else if (dispid == kDispidSelectionRestrict) Restrict(vb::CStr(args[0]));
    else Clear();
    return S_OK;
  } catch (const RuntimeError&) {
    return DISP_E_TYPEMISMATCH;
  }
}

HRESULT BackupJob::Invoke(DISPID dispid, DispatchKind kind, const DispatchArgs& args, forms::Property* result) {
  switch (dispid) {
    case kDispidJobFolder: return Text(Folder, kind, args, result);
    case kDispidBackupName: return Text(ArchiveName, kind, args, result);
    case kDispidBackupOption: return Number(Option, kind, args, result);
    case kDispidBackupCompression: return Number(Compression, kind, args, result);
    case kDispidBackupPassword: return Text(Password, kind, args, result);
    case kDispidBackupFullPaths: return Flag(FullPaths, kind, args, result);
    default: return DISP_E_MEMBERNOTFOUND;
  }
}

HRESULT RestoreJob::Invoke(DISPID dispid, DispatchKind kind, const DispatchArgs& args, forms::Property* result) {
  switch (dispid) {
    case kDispidJobFolder: return Text(Folder, kind, args, result);
    case kDispidRestorePassword: return Text(Password, kind, args, result);
    case kDispidRestoreDestination: return Text(Destination, kind, args, result);
    case kDispidRestoreOverwrite: return Flag(Overwrite, kind, args, result);
    case kDispidRestorePaths: return Flag(RestorePaths, kind, args, result);
    case kDispidRestoreCreateFolders: return Flag(CreateFolders, kind, args, result);
    default: return DISP_E_MEMBERNOTFOUND;
  }
}

std::string XceedBackup::ErrorText(std::int32_t code) {
  switch (code) {
    case kBackupSuccess: return "Success";
    case kBackupNoArchive: return "No archive found in the folder";
    case kBackupCorrupted: return "The archive is corrupted";
    case kBackupWrongPassword: return "Wrong password";
    case kBackupUnreadable: return "A file could not be read";
    case kBackupUnwritable: return "A file could not be written";
    case kBackupOutsideMachine: return "A path lies outside the machine";
    case kBackupNothingSelected: return "Nothing is selected";
    default: return "Unknown error " + std::to_string(code);
  }
}

HRESULT XceedBackup::Invoke(DISPID dispid, DispatchKind kind, const DispatchArgs& args, forms::Property* result) {
  if (dispid == kDispidMainFolder) return Text(Folder, kind, args, result);
  if (dispid != kDispidErrorText) return DISP_E_MEMBERNOTFOUND;
  if (kind != DispatchKind::Method) return DISP_E_MEMBERNOTFOUND;
  if (args.size() != 2) return DISP_E_BADPARAMCOUNT;
  try {
    if (result) *result = forms::Property(ErrorText(vb::CLng(args[0])));
    return S_OK;
  } catch (const RuntimeError&) {
    return DISP_E_TYPEMISMATCH;
  }
}

}  // namespace platform::activex
