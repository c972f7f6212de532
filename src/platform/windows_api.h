// The Windows interface, included one way everywhere: without the min/max
// macros that break std::min, and without the rarely used parts.
#ifndef TARVEX_PLATFORM_WINDOWS_API_H_
#define TARVEX_PLATFORM_WINDOWS_API_H_

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// Tarvex's own FormatMessage (message_format.h) shares the name; the
// system's is called by its A or W name.
#undef FormatMessage
#endif

#endif  // TARVEX_PLATFORM_WINDOWS_API_H_
