// The object's class identifier as COM takes it (shell::kObjectClassId in
// its registry form).
#ifndef TARVEX_WIN32_EMBEDDING_OBJECT_IDS_H_
#define TARVEX_WIN32_EMBEDDING_OBJECT_IDS_H_

#include "platform/windows_api.h"
// (windows_api.h leaves OLE out)
#include <ole2.h>

namespace tarvex::win32::embedding {

// {4A1E6C2B-7D3F-4C55-9A61-2F0B8E5D1C47}
inline constexpr CLSID kClassId = {
    0x4A1E6C2B, 0x7D3F, 0x4C55, {0x9A, 0x61, 0x2F, 0x0B, 0x8E, 0x5D, 0x1C, 0x47}};

}  // namespace tarvex::win32::embedding

#endif  // TARVEX_WIN32_EMBEDDING_OBJECT_IDS_H_
