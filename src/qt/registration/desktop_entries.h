// The texts that make Tarvex known to the desktop: its desktop entry, the
// embedding server's hidden desktop entry (the keys containers read) and
// the shared-mime-info package of the document type. Start-up writes them
// per user; the build writes the same texts for `cmake --install`.
#ifndef TARVEX_QT_REGISTRATION_DESKTOP_ENTRIES_H_
#define TARVEX_QT_REGISTRATION_DESKTOP_ENTRIES_H_

#include <QString>

namespace tarvex::qt::registration {

inline constexpr const char* kMimeType = "text/x-tarvex-policy";
inline constexpr const char* kTypeId = "Tarvex.Document";
inline constexpr const char* kTypeName = "Tarvex Document";
inline constexpr const char* kShortName = "Tarvex";
inline constexpr const char* kExtension = ".inf";
// The class identifier under which containers find the embedding server.
inline constexpr const char* kClassId = "{4A1E6C2B-7D3F-4C55-9A61-2F0B8E5D1C47}";
inline constexpr const char* kIconName = "tarvex";
inline constexpr const char* kDocumentIconName = "text-x-tarvex-policy";
inline constexpr const char* kDesktopFile = "tarvex.desktop";
inline constexpr const char* kEmbeddingDesktopFile = "tarvex-embedding.desktop";
inline constexpr const char* kMimePackageFile = "tarvex.xml";
inline constexpr const char* kTemplateFile = "Tarvex Document.inf";

// The desktop entry: opens a file with `executable` (absolute), and prints
// it ("-p") as its action. Tarvex reads keyword.txt from the current
// folder, and a file manager starts programs in the home folder, so the
// entry starts Tarvex in the file's folder.
QString DesktopEntry(const QString& executable);

// The embedding server's entry: "executable -Embedding", kept out of menus,
// with the X-Embedding-* keys.
QString EmbeddingDesktopEntry(const QString& executable);

// The MIME package; `claimGlob` adds the "*.inf" glob.
QString MimePackage(bool claimGlob);

// Quoting for a desktop entry's Exec key: `text` as one argument in double
// quotes, with the characters that are special there escaped (and "%"
// doubled), ready to stand in the key file.
QString ExecArgument(const QString& text);

}  // namespace tarvex::qt::registration

#endif  // TARVEX_QT_REGISTRATION_DESKTOP_ENTRIES_H_
