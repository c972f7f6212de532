// Writing and removing the entries of registry_layout.h in one classes
// root, and giving ".inf" back exactly as it was.
//
// ".inf" normally belongs to Windows' Setup Information files ("inffile").
// Tarvex only adds itself to ".inf\OpenWithProgids" then; it becomes the
// extension's default (with a ShellNew entry) only where the extension has
// no owner, or an empty one. What it created or replaced there is noted
// under "Tarvex.Document\Restore", and removal puts exactly that back.
#ifndef TARVEX_WIN32_REGISTRATION_REGISTRATION_H_
#define TARVEX_WIN32_REGISTRATION_REGISTRATION_H_

#include <string>

#include "win32/registration/registry_access.h"

namespace tarvex::win32::registration {

// The document type: name, icon, open and print commands, "Open with", and
// the extension where `seen` (what the desktop reads: the merged classes
// root for a per-user registration, else `target` itself) shows no owner.
// False when an entry could not be written (start-up goes on silently).
bool RegisterDocumentType(RegistryAccess& target, const RegistryAccess& seen,
                          const std::string& executable);

// The embedding server: the type id's server entries and the class
// identifier's key, brought to exactly these entries in place (the class is
// never missing on the way, and nothing of an earlier registration stays).
// False when an entry could not be written (61834).
bool RegisterServer(RegistryAccess& target, const std::string& executable);

// Removes both registrations and restores ".inf". False when something
// Tarvex wrote is still there afterwards (61708).
bool Unregister(RegistryAccess& target);

// Whether `access` holds a server registration for the program at
// `executable` (letter case aside).
bool RegisteredFor(const RegistryAccess& access, const std::string& executable);

// Whether `access` holds anything Tarvex registers.
bool AnythingRegistered(const RegistryAccess& access);

}  // namespace tarvex::win32::registration

#endif  // TARVEX_WIN32_REGISTRATION_REGISTRATION_H_
