#include "win32/registration/system_registration.h"

#include <shlobj.h>

#include <vector>

#include "platform/resource_ids.h"
#include "win32/registration/registration.h"
#include "win32/registration/windows_registry.h"

namespace tarvex::win32::registration {
namespace {

const wchar_t kClasses[] = L"Software\\Classes";

// The registry views to write: both on 64-bit Windows, else the one there is.
std::vector<REGSAM> Views() {
  BOOL wow64 = FALSE;
  const bool on64 =
      sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64 != FALSE);
  if (!on64) return {0};
  return {KEY_WOW64_64KEY, KEY_WOW64_32KEY};
}

HKEY RootOf(Scope scope) {
  return scope == Scope::kMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// Both registrations (or the document type alone) in every view of `scope`.
// Returns whether the server's entries (or, without them, the type's) were
// all written, and whether anything was not registered before.
bool Write(Scope scope, bool withServer, bool* changed) {
  const std::string exe = ExecutablePath();
  bool ok = true;
  for (REGSAM view : Views()) {
    WindowsRegistry target(RootOf(scope), kClasses, view);
    WindowsRegistry merged(HKEY_CLASSES_ROOT, L"", view);
    // A user's entries give way to the machine's owner of ".inf", which
    // only the merged root shows.
    const RegistryAccess& seen = scope == Scope::kUser ? merged : target;
    if (!RegisteredFor(target, exe)) *changed = true;
    const bool typeOk = RegisterDocumentType(target, seen, exe);
    if (withServer) {
      ok = RegisterServer(target, exe) && ok;
    } else {
      ok = typeOk && ok;
    }
  }
  return ok;
}

// The desktop rereads its associations.
void NotifyShell() {
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

}  // namespace

std::string ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  // A program started by its short name is registered by its long one.
  std::wstring full(32768, L'\0');
  const DWORD length = GetLongPathNameW(path.c_str(), full.data(), static_cast<DWORD>(full.size()));
  if (length > 0 && length < full.size()) path.assign(full.data(), length);
  return Narrow(path);
}

bool IsElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const bool known =
      GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) != FALSE;
  CloseHandle(token);
  return known && elevation.TokenIsElevated != 0;
}

Scope StartupScope() {
  if (IsElevated()) return Scope::kMachine;
  const std::string exe = ExecutablePath();
  for (REGSAM view : Views()) {
    if (!RegisteredFor(WindowsRegistry(HKEY_LOCAL_MACHINE, kClasses, view), exe)) {
      return Scope::kUser;
    }
  }
  return Scope::kNone;  // installed for the machine: nothing to add
}

int RegisterAtStartup(bool embedded) {
  const Scope scope = StartupScope();
  if (scope == Scope::kNone) return 0;
  bool changed = false;
  const bool ok = Write(scope, !embedded, &changed);
  if (changed) NotifyShell();
  return ok || embedded ? 0 : IDP_FAILED_TO_UPDATE_REGISTRY;
}

bool RegisterRequest() {
  bool changed = false;
  const bool ok = Write(IsElevated() ? Scope::kMachine : Scope::kUser, true, &changed);
  if (changed) NotifyShell();
  return ok;
}

int UnregisterRequest() {
  bool ok = true;
  bool registered = false;
  std::vector<Scope> scopes = {Scope::kUser};
  if (IsElevated()) scopes.push_back(Scope::kMachine);
  for (Scope scope : scopes) {
    for (REGSAM view : Views()) {
      WindowsRegistry target(RootOf(scope), kClasses, view);
      registered = registered || AnythingRegistered(target);
      ok = Unregister(target) && ok;
    }
  }
  if (!IsElevated()) {
    // What this process may not remove stays: say so.
    for (REGSAM view : Views()) {
      if (AnythingRegistered(WindowsRegistry(HKEY_LOCAL_MACHINE, kClasses, view))) ok = false;
    }
  }
  if (registered) NotifyShell();
  return ok ? IDP_UNREG_DONE : IDP_UNREG_FAILURE;
}

}  // namespace tarvex::win32::registration
