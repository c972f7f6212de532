#include "win32/embedding/object_data.h"

#include <cstring>

#include "shell/embedded_object.h"
#include "win32/embedding/contents_stream.h"
#include "win32/registration/registry_layout.h"

namespace tarvex::win32::embedding {
namespace {

struct Offer {
  CLIPFORMAT format;
  DWORD tymed;
  bool settable;
};

std::vector<Offer> Offers() {
  return {
      {NativeFormat(), TYMED_HGLOBAL, true},
      {CF_TEXT, TYMED_HGLOBAL, true},
      {CF_METAFILEPICT, TYMED_MFPICT, false},
      {CF_ENHMETAFILE, TYMED_ENHMF, false},
  };
}

// A movable memory block holding `size` bytes from `data`, or null.
HGLOBAL MemoryBlock(const void* data, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size == 0 ? 1 : size);
  if (!block) return nullptr;
  void* at = GlobalLock(block);
  if (!at) {
    GlobalFree(block);
    return nullptr;
  }
  if (size > 0) std::memcpy(at, data, size);
  GlobalUnlock(block);
  return block;
}

// Records the picture's mapping on `dc`: anisotropic, 3000 by 3000, origin 0, 0.
void MapPicture(HDC dc) {
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, shell::kObjectExtent, shell::kObjectExtent, nullptr);
}

}  // namespace

CLIPFORMAT NativeFormat() {
  static const CLIPFORMAT format =
      static_cast<CLIPFORMAT>(RegisterClipboardFormatA(registration::kNativeFormat));
  return format;
}

std::vector<FORMATETC> OfferedFormats(DWORD direction) {
  std::vector<FORMATETC> formats;
  for (const Offer& offer : Offers()) {
    if (direction == DATADIR_SET && !offer.settable) continue;
    formats.push_back({offer.format, nullptr, DVASPECT_CONTENT, -1, offer.tymed});
  }
  return formats;
}

HRESULT CheckFormat(const FORMATETC& format, DWORD direction) {
  for (const Offer& offer : Offers()) {
    if (offer.format != format.cfFormat) continue;
    if (direction == DATADIR_SET && !offer.settable) return DV_E_FORMATETC;
    if (format.dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (format.lindex != -1) return DV_E_LINDEX;
    if (!(format.tymed & offer.tymed)) return DV_E_TYMED;
    return S_OK;
  }
  return DV_E_FORMATETC;
}

HRESULT RenderData(const FORMATETC& format, std::string_view text, STGMEDIUM* medium) {
  HRESULT hr = CheckFormat(format, DATADIR_GET);
  if (FAILED(hr)) return hr;
  *medium = STGMEDIUM{};
  if (format.cfFormat == NativeFormat()) {
    std::string block(4, '\0');
    const auto size = static_cast<std::uint32_t>(text.size());
    for (int i = 0; i < 4; ++i) block[i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    block.append(text);
    medium->hGlobal = MemoryBlock(block.data(), block.size());
    medium->tymed = TYMED_HGLOBAL;
  } else if (format.cfFormat == CF_TEXT) {
    // Plain text ends at its first NUL byte.
    const std::string_view upToNul = text.substr(0, text.find('\0'));
    std::string terminated(upToNul);
    terminated += '\0';
    medium->hGlobal = MemoryBlock(terminated.data(), terminated.size());
    medium->tymed = TYMED_HGLOBAL;
  } else if (format.cfFormat == CF_METAFILEPICT) {
    HMETAFILE picture = EmptyPicture();
    if (!picture) return E_OUTOFMEMORY;
    METAFILEPICT header{MM_ANISOTROPIC, shell::kObjectExtent, shell::kObjectExtent, picture};
    medium->hMetaFilePict = MemoryBlock(&header, sizeof header);
    if (!medium->hMetaFilePict) DeleteMetaFile(picture);
    medium->tymed = TYMED_MFPICT;
  } else {
    medium->hEnhMetaFile = EmptyEnhancedPicture();
    medium->tymed = TYMED_ENHMF;
  }
  if (!medium->hGlobal) {  // the union's handle, whatever the medium
    *medium = STGMEDIUM{};
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT ReadData(const FORMATETC& format, const STGMEDIUM& medium, std::size_t limit,
                 std::string* bytes) {
  HRESULT hr = CheckFormat(format, DATADIR_SET);
  if (FAILED(hr)) return hr;
  if (medium.tymed != TYMED_HGLOBAL || !medium.hGlobal) return DV_E_TYMED;
  const SIZE_T size = GlobalSize(medium.hGlobal);
  const auto* at = static_cast<const unsigned char*>(GlobalLock(medium.hGlobal));
  if (!at) return E_INVALIDARG;
  std::string read;
  hr = S_OK;
  if (format.cfFormat == NativeFormat()) {
    std::size_t length = 0;
    if (size < 4) {
      hr = E_INVALIDARG;
    } else {
      for (int i = 0; i < 4; ++i) length |= static_cast<std::size_t>(at[i]) << (8 * i);
      if (length > size - 4) {
        hr = E_INVALIDARG;  // a length the block cannot hold
      } else if (length > limit) {
        hr = kTooLarge;
      } else {
        read.assign(reinterpret_cast<const char*>(at + 4), length);
      }
    }
  } else {
    const auto* end = static_cast<const unsigned char*>(std::memchr(at, 0, size));
    const std::size_t length = end ? static_cast<std::size_t>(end - at) : size;
    if (length > limit) {
      hr = kTooLarge;
    } else {
      read.assign(reinterpret_cast<const char*>(at), length);
    }
  }
  GlobalUnlock(medium.hGlobal);
  if (SUCCEEDED(hr)) *bytes = std::move(read);
  return hr;
}

HMETAFILE EmptyPicture() {
  HDC dc = CreateMetaFileW(nullptr);
  if (!dc) return nullptr;
  MapPicture(dc);
  return CloseMetaFile(dc);
}

HENHMETAFILE EmptyEnhancedPicture() {
  const RECT frame{0, 0, shell::kObjectExtent, shell::kObjectExtent};  // 0.01 mm
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  if (!dc) return nullptr;
  MapPicture(dc);
  return CloseEnhMetaFile(dc);
}

}  // namespace tarvex::win32::embedding
