#include "qt/registration/desktop_entries.h"

namespace tarvex::qt::registration {
namespace {

// `text` as one word of a POSIX shell: in single quotes, each single quote
// written as '\''.
QString ShellWord(const QString& text) {
  QString quoted = text;
  quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
  return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// `sh -c` running Tarvex with `switches` in the folder of the file it is
// given (%f), or where it was started when it is given none.
QString ExecInFileFolder(const QString& executable, const QString& switches) {
  QString script = QStringLiteral("[ -n \"$1\" ] && cd -- \"$(dirname -- \"$1\")\"; exec ");
  script += ShellWord(executable);
  if (!switches.isEmpty()) script += QLatin1Char(' ') + switches;
  script += QStringLiteral(" \"$@\"");
  return QStringLiteral("sh -c ") + ExecArgument(script) + QStringLiteral(" sh %f");
}

}  // namespace

QString ExecArgument(const QString& text) {
  QString quoted;
  for (const QChar c : text) {
    if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
        c == QLatin1Char('\\')) {
      quoted += QLatin1Char('\\');
    }
    if (c == QLatin1Char('%')) quoted += QLatin1Char('%');
    quoted += c;
  }
  // The key file's own escape comes last: every backslash doubled.
  quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString DesktopEntry(const QString& executable) {
  return QStringLiteral(
             "[Desktop Entry]\n"
             "Type=Application\n"
             "Version=1.4\n"
             "Name=Tarvex\n"
             "GenericName=Policy Editor\n"
             "Comment=Edit policy sources and compile them into policy.bin\n"
             "Icon=%1\n"
             "Exec=%2\n"
             "Terminal=false\n"
             "Categories=Utility;TextEditor;\n"
             "MimeType=%3;\n"
             "Actions=Print;\n"
             "\n"
             "[Desktop Action Print]\n"
             "Name=Print\n"
             "Exec=%4\n")
      .arg(QString::fromLatin1(kIconName), ExecInFileFolder(executable, QString()),
           QString::fromLatin1(kMimeType), ExecInFileFolder(executable, QStringLiteral("-p")));
}

QString EmbeddingDesktopEntry(const QString& executable) {
  return QStringLiteral(
             "[Desktop Entry]\n"
             "Type=Application\n"
             "Version=1.4\n"
             "Name=%1\n"
             "Comment=Tarvex policy source as an object in other documents\n"
             "Icon=%2\n"
             "Exec=%3 -Embedding\n"
             "Terminal=false\n"
             "NoDisplay=true\n"
             "X-Embedding-Interface=org.tarvex.Embedding1\n"
             "X-Embedding-TypeId=%4\n"
             "X-Embedding-ClassId=%5\n"
             "X-Embedding-ShortName=%6\n"
             "X-Embedding-Verbs=&Edit;&Open;\n"
             "X-Embedding-MiscStatus=32\n"
             "X-Embedding-Insertable=true\n")
      .arg(QString::fromLatin1(kTypeName), QString::fromLatin1(kDocumentIconName),
           ExecArgument(executable), QString::fromLatin1(kTypeId), QString::fromLatin1(kClassId),
           QString::fromLatin1(kShortName));
}

QString MimePackage(bool claimGlob) {
  return QStringLiteral(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
             "  <mime-type type=\"%1\">\n"
             "    <comment>%2</comment>\n"
             "    <sub-class-of type=\"text/plain\"/>\n"
             "%3"
             "  </mime-type>\n"
             "</mime-info>\n")
      .arg(QString::fromLatin1(kMimeType), QString::fromLatin1(kTypeName),
           claimGlob ? QStringLiteral("    <glob pattern=\"*%1\"/>\n").arg(kExtension) : QString());
}

}  // namespace tarvex::qt::registration
