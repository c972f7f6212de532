// Desktop and embedding registration, per user, under the freedesktop
// folders: the desktop entry, the MIME package, the icons and the template
// (the document type), the embedding server's hidden desktop entry, and
// their removal.
#ifndef TARVEX_QT_REGISTRATION_REGISTRATION_H_
#define TARVEX_QT_REGISTRATION_REGISTRATION_H_

#include <QString>
#include <QStringList>

namespace tarvex::qt::registration {

struct RegistrationPaths {
  QString dataHome;      // $XDG_DATA_HOME, ~/.local/share by default
  QString templatesDir;  // the user's Templates folder; empty when there is none
  QString executable;    // absolute
  QString settingsFile;  // the settings store's file

  // The current user's folders and this program.
  static RegistrationPaths FromEnvironment();
};

// The document type: desktop entry, MIME package, icons and, when no other
// type claims "*.inf", the glob and the empty template. What cannot be
// written is skipped without a word.
void RegisterDocumentType(const RegistrationPaths& paths);

// The embedding server's hidden desktop entry. False when it could not be
// written (61834).
bool RegisterServer(const RegistrationPaths& paths);

// update-mime-database and update-desktop-database on the user's folders,
// so that the desktop sees what changed. Missing tools are skipped.
void RunDatabaseUpdaters(const RegistrationPaths& paths);

// Removes everything the two registrations wrote and the settings file,
// then runs the updaters. False when something that exists could not be
// removed (61708).
bool Unregister(const RegistrationPaths& paths);

// Whether a MIME type other than Tarvex's own already claims "*.inf".
bool OtherTypeClaimsExtension();

// Every file the registrations may write, absolute, the template included.
QStringList RegisteredFiles(const RegistrationPaths& paths);

}  // namespace tarvex::qt::registration

#endif  // TARVEX_QT_REGISTRATION_REGISTRATION_H_
