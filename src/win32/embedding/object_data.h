// The object's data in the formats it offers containers (content aspect):
//   "Tarvex Contents"  memory: a 4-byte length (little-endian), then the
//                      text's bytes (a length, because a memory block may be
//                      larger than asked for)
//   CF_TEXT            memory: the text up to its first NUL byte, then NUL
//   CF_METAFILEPICT    the inactive object's picture: an empty 30 mm square
//   CF_ENHMETAFILE     the same picture as an enhanced metafile
// The first two can also be set; the text's limit holds for them.
#ifndef TARVEX_WIN32_EMBEDDING_OBJECT_DATA_H_
#define TARVEX_WIN32_EMBEDDING_OBJECT_DATA_H_

#include <string>
#include <string_view>
#include <vector>

#include "platform/windows_api.h"
// (windows_api.h leaves OLE out)
#include <ole2.h>

namespace tarvex::win32::embedding {

// The registered clipboard format "Tarvex Contents".
CLIPFORMAT NativeFormat();

// What GetData offers (DATADIR_GET) and SetData takes (DATADIR_SET).
std::vector<FORMATETC> OfferedFormats(DWORD direction);

// S_OK when `format` asks for one of the offered formats on a medium it
// comes on; else why not (DV_E_FORMATETC, DV_E_DVASPECT, DV_E_TYMED, DV_E_LINDEX).
HRESULT CheckFormat(const FORMATETC& format, DWORD direction);

// The text in `format`, in a new medium the caller releases.
HRESULT RenderData(const FORMATETC& format, std::string_view text, STGMEDIUM* medium);

// The bytes a native or CF_TEXT medium holds; kTooLarge beyond `limit`.
HRESULT ReadData(const FORMATETC& format, const STGMEDIUM& medium, std::size_t limit,
                 std::string* bytes);

// The picture of an inactive object: a metafile that sets the anisotropic
// mapping mode with a 3000 by 3000 window and draws nothing.
HMETAFILE EmptyPicture();
HENHMETAFILE EmptyEnhancedPicture();

}  // namespace tarvex::win32::embedding

#endif  // TARVEX_WIN32_EMBEDDING_OBJECT_DATA_H_
