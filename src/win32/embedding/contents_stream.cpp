#include "win32/embedding/contents_stream.h"

#include <wrl/client.h>

#include <algorithm>

namespace tarvex::win32::embedding {
namespace {

using Microsoft::WRL::ComPtr;

const wchar_t kContents[] = L"Contents";
const wchar_t kUserType[] = L"Tarvex Document";

// Reads and writes go in pieces: the storage is often the container's,
// in another process, and every call crosses to it.
constexpr ULONG kPiece = 64 * 1024;

}  // namespace

HRESULT ReadContents(IStorage* storage, std::size_t limit, std::string* bytes) {
  ComPtr<IStream> stream;
  HRESULT hr = storage->OpenStream(kContents, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0,
                                   stream.GetAddressOf());
  if (FAILED(hr)) return hr;
  STATSTG stat{};
  hr = stream->Stat(&stat, STATFLAG_NONAME);
  if (FAILED(hr)) return hr;
  if (stat.cbSize.QuadPart > limit) return kTooLarge;

  std::string read(static_cast<std::size_t>(stat.cbSize.QuadPart), '\0');
  std::size_t at = 0;
  while (at < read.size()) {
    ULONG got = 0;
    const ULONG want = static_cast<ULONG>(std::min<std::size_t>(kPiece, read.size() - at));
    hr = stream->Read(&read[at], want, &got);
    if (FAILED(hr)) return hr;
    if (got == 0) return STG_E_READFAULT;  // shorter than it said
    at += got;
  }
  *bytes = std::move(read);
  return S_OK;
}

HRESULT WriteContents(IStorage* storage, std::string_view bytes, CLIPFORMAT format) {
  HRESULT hr = WriteFmtUserTypeStg(storage, format, const_cast<LPOLESTR>(kUserType));
  if (FAILED(hr)) return hr;
  ComPtr<IStream> stream;
  hr = storage->CreateStream(kContents, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                             stream.GetAddressOf());
  if (FAILED(hr)) return hr;
  std::size_t at = 0;
  while (at < bytes.size()) {
    ULONG written = 0;
    const ULONG want = static_cast<ULONG>(std::min<std::size_t>(kPiece, bytes.size() - at));
    hr = stream->Write(bytes.data() + at, want, &written);
    if (FAILED(hr)) return hr;
    if (written == 0) return STG_E_WRITEFAULT;
    at += written;
  }
  ULARGE_INTEGER size;
  size.QuadPart = bytes.size();
  return stream->SetSize(size);
}

}  // namespace tarvex::win32::embedding
