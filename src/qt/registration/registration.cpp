#include "qt/registration/registration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include "qt/registration/desktop_entries.h"

namespace tarvex::qt::registration {
namespace {

constexpr int kToolTimeoutMs = 10000;

struct Icon {
  const char* resource;
  const char* file;  // under the data home
};

// Icon 128 (the application) and icon 129 (the document), every size drawn.
constexpr Icon kIcons[] = {
    {":/tarvex/icons/app-16.png", "icons/hicolor/16x16/apps/tarvex.png"},
    {":/tarvex/icons/app-32.png", "icons/hicolor/32x32/apps/tarvex.png"},
    {":/tarvex/icons/app-48.png", "icons/hicolor/48x48/apps/tarvex.png"},
    {":/tarvex/icons/app-256.png", "icons/hicolor/256x256/apps/tarvex.png"},
    {":/tarvex/icons/document-16.png", "icons/hicolor/16x16/mimetypes/text-x-tarvex-policy.png"},
    {":/tarvex/icons/document-32.png", "icons/hicolor/32x32/mimetypes/text-x-tarvex-policy.png"},
};

QString DataFile(const RegistrationPaths& paths, const QString& relative) {
  return paths.dataHome + QLatin1Char('/') + relative;
}

QString DesktopFile(const RegistrationPaths& paths) {
  return DataFile(paths, QStringLiteral("applications/") + QLatin1String(kDesktopFile));
}
QString EmbeddingFile(const RegistrationPaths& paths) {
  return DataFile(paths, QStringLiteral("applications/") + QLatin1String(kEmbeddingDesktopFile));
}
QString MimePackageFile(const RegistrationPaths& paths) {
  return DataFile(paths, QStringLiteral("mime/packages/") + QLatin1String(kMimePackageFile));
}
QString TemplateFile(const RegistrationPaths& paths) {
  if (paths.templatesDir.isEmpty()) return QString();
  return paths.templatesDir + QLatin1Char('/') + QLatin1String(kTemplateFile);
}

// Writes `bytes` to `path` whole or not at all, creating its folder.
bool WriteWhole(const QString& path, const QByteArray& bytes) {
  if (!QDir().mkpath(QFileInfo(path).path())) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool CopyResource(const QString& resource, const QString& path) {
  QFile source(resource);
  if (!source.open(QIODevice::ReadOnly)) return false;
  return WriteWhole(path, source.readAll());
}

// The output of a tool, or empty when it cannot run.
QString ToolOutput(const QString& program, const QStringList& arguments) {
  if (QStandardPaths::findExecutable(program).isEmpty()) return QString();
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(kToolTimeoutMs)) {
    process.kill();
    process.waitForFinished();
    return QString();
  }
  return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

void RunTool(const QString& program, const QStringList& arguments) {
  ToolOutput(program, arguments);
}

// Removes `path` when it exists; false when it stays.
bool RemoveFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists() && !info.isSymLink()) return true;
  return QFile::remove(path);
}

}  // namespace

RegistrationPaths RegistrationPaths::FromEnvironment() {
  RegistrationPaths paths;
  paths.dataHome = qEnvironmentVariable("XDG_DATA_HOME");
  if (paths.dataHome.isEmpty() || QDir::isRelativePath(paths.dataHome)) {
    paths.dataHome = QDir::homePath() + QStringLiteral("/.local/share");
  }
  // xdg-user-dir names the home folder when no Templates folder is set up.
  const QString templates =
      ToolOutput(QStringLiteral("xdg-user-dir"), {QStringLiteral("TEMPLATES")});
  if (!templates.isEmpty() && QDir(templates) != QDir::home() && QFileInfo(templates).isDir()) {
    paths.templatesDir = templates;
  }
  paths.executable = QCoreApplication::applicationFilePath();
  paths.settingsFile = QSettings().fileName();
  return paths;
}

bool OtherTypeClaimsExtension() {
  const QString probe = QStringLiteral("x") + QLatin1String(kExtension);
  for (const QMimeType& type : QMimeDatabase().mimeTypesForFileName(probe)) {
    if (type.name() != QLatin1String(kMimeType)) return true;
  }
  return false;
}

void RegisterDocumentType(const RegistrationPaths& paths) {
  const bool claim = !OtherTypeClaimsExtension();
  WriteWhole(DesktopFile(paths), DesktopEntry(paths.executable).toUtf8());
  WriteWhole(MimePackageFile(paths), MimePackage(claim).toUtf8());
  for (const Icon& icon : kIcons) {
    CopyResource(QString::fromLatin1(icon.resource),
                 DataFile(paths, QString::fromLatin1(icon.file)));
  }
  // An empty source the file manager offers under "New Document"; an
  // edited one is the user's and stays.
  const QString templ = TemplateFile(paths);
  if (claim && !templ.isEmpty() && !QFileInfo::exists(templ)) WriteWhole(templ, QByteArray());
}

bool RegisterServer(const RegistrationPaths& paths) {
  return WriteWhole(EmbeddingFile(paths), EmbeddingDesktopEntry(paths.executable).toUtf8());
}

void RunDatabaseUpdaters(const RegistrationPaths& paths) {
  const QString mime = DataFile(paths, QStringLiteral("mime"));
  const QString applications = DataFile(paths, QStringLiteral("applications"));
  if (QFileInfo(mime + QStringLiteral("/packages")).isDir()) {
    RunTool(QStringLiteral("update-mime-database"), {mime});
  }
  if (QFileInfo(applications).isDir()) {
    RunTool(QStringLiteral("update-desktop-database"), {applications});
  }
}

QStringList RegisteredFiles(const RegistrationPaths& paths) {
  QStringList files = {DesktopFile(paths), EmbeddingFile(paths), MimePackageFile(paths)};
  for (const Icon& icon : kIcons) files << DataFile(paths, QString::fromLatin1(icon.file));
  if (!TemplateFile(paths).isEmpty()) files << TemplateFile(paths);
  return files;
}

bool Unregister(const RegistrationPaths& paths) {
  bool removed = true;
  const QString templ = TemplateFile(paths);
  for (const QString& file : RegisteredFiles(paths)) {
    // A template with text in it is a document of the user's.
    if (file == templ && QFileInfo(file).size() > 0) continue;
    removed = RemoveFile(file) && removed;
  }
  if (!paths.settingsFile.isEmpty()) removed = RemoveFile(paths.settingsFile) && removed;
  RunDatabaseUpdaters(paths);
  return removed;
}

}  // namespace tarvex::qt::registration
