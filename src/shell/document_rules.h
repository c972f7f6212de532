// The rules of the one document that both editors share: how large a file
// may be, what a document is called, what Save As proposes, and how a path
// given on the command line or by the desktop is read.
#ifndef TARVEX_SHELL_DOCUMENT_RULES_H_
#define TARVEX_SHELL_DOCUMENT_RULES_H_

#include <cstddef>
#include <string>

namespace tarvex::shell {

// Files of this many bytes or more are refused (61701).
inline constexpr std::size_t kMaxFileSize = 1048576;
// The text view holds at most this many characters (0xFFFFF): typing or
// pasting beyond it is refused.
inline constexpr std::size_t kTextLimit = 1048575;

// A document's name: its file's name (the last component of its path), or
// "Untitled" for a document that has never been saved (no name).
std::string DocumentTitle(const std::string& fileName);

// The main window's title: the document's name, " - " and "Tarvex".
std::string FrameTitle(const std::string& documentTitle);

// The title of an object opened from a container: "Tarvex in <the
// container's name for the object>".
std::string EmbeddedTitle(const std::string& objectName);

// The name Save As proposes: the document's path, or for a new document
// its name cut before its first blank, "#", "%", ";", "/" or "\" with
// ".inf" added.
std::string ProposedSaveName(const std::string& path, const std::string& title);

// A path as the command line or the desktop gives it: one that begins with
// a double quote loses that quote and is cut at its last double quote.
std::string UnquotePath(const std::string& given);

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_DOCUMENT_RULES_H_
