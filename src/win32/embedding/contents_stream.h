// The object's text in a container's storage: the stream "Contents", which
// holds exactly the text's bytes (no length, no byte-order mark, no
// terminator), as a file would.
#ifndef TARVEX_WIN32_EMBEDDING_CONTENTS_STREAM_H_
#define TARVEX_WIN32_EMBEDDING_CONTENTS_STREAM_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/windows_api.h"
// (windows_api.h leaves OLE out)
#include <ole2.h>

namespace tarvex::win32::embedding {

// The answer to contents beyond the editor's limit. Its system text says
// what happened ("The file size exceeds the limit allowed ...").
inline const HRESULT kTooLarge = HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);

// Reads all of "Contents" into `bytes`. Contents of more than `limit` bytes
// are refused with kTooLarge before a byte is read; `bytes` is untouched on
// any failure.
HRESULT ReadContents(IStorage* storage, std::size_t limit, std::string* bytes);

// Writes `bytes` as "Contents", replacing it, and the storage's user type
// ("Tarvex Document", native format `format`). The container commits.
HRESULT WriteContents(IStorage* storage, std::string_view bytes, CLIPFORMAT format);

}  // namespace tarvex::win32::embedding

#endif  // TARVEX_WIN32_EMBEDDING_CONTENTS_STREAM_H_
