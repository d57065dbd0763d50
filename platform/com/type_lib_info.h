#pragma once
// The type-library information component ("typeinfo"): given a file, the
// identity of its type library and the classes it describes, read from the
// file's stand-in header (typelib= and coclass= fields). Nothing is loaded
// or run. Late-bound members:
//   application: 1 TypeLibInfoFromFile(path) -> library information
//                (TYPE_E_CANTLOADLIBRARY for a missing file or one without
//                a type library)
//   library:     1 Guid (the braced LIBID, upper-case hex);
//                2 CoClasses(i), 1-based (TYPE_E_ELEMENTNOTFOUND outside)
//   class:       1 Guid (the braced CLSID)
#include "platform/com/automation_types.h"

namespace platform::com {

inline constexpr CLSID CLSID_TypeLibInfo = MakeGuid(0x8B21775E, 0x717D, 0x11CE, 0xAB5BD41203C10000ull);
inline constexpr DISPID kDispidTypeLibInfoFromFile = 1;
inline constexpr DISPID kDispidTypeLibGuid = 1;
inline constexpr DISPID kDispidTypeLibCoClasses = 2;
inline constexpr DISPID kDispidCoClassGuid = 1;

// Class factory of CLSID_TypeLibInfo; CLASS_E_CLASSNOTAVAILABLE otherwise.
HRESULT GetTypeLibInfoClassObject(REFCLSID clsid, REFIID iid, void** object);

}  // namespace platform::com
