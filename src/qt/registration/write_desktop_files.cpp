// Writes the desktop entries and the MIME package for an installation:
//   tarvex_desktop_files DATA_DIR INSTALLED_EXECUTABLE
// into DATA_DIR/applications and DATA_DIR/mime/packages. An installation
// claims "*.inf" for its type.
#include <QDir>
#include <QFile>
#include <cstdio>

#include "qt/registration/desktop_entries.h"

namespace {

bool Write(const QString& path, const QString& text) {
  if (!QDir().mkpath(path.section(QLatin1Char('/'), 0, -2))) return false;
  QFile file(path);
  const QByteArray bytes = text.toUtf8();
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tarvex_desktop_files DATA_DIR INSTALLED_EXECUTABLE\n");
    return 2;
  }
  namespace reg = tarvex::qt::registration;
  const QString dir = QString::fromLocal8Bit(argv[1]);
  const QString executable = QString::fromLocal8Bit(argv[2]);
  const QString applications = dir + QStringLiteral("/applications/");
  if (!Write(applications + QLatin1String(reg::kDesktopFile), reg::DesktopEntry(executable)) ||
      !Write(applications + QLatin1String(reg::kEmbeddingDesktopFile),
             reg::EmbeddingDesktopEntry(executable)) ||
      !Write(dir + QStringLiteral("/mime/packages/") + QLatin1String(reg::kMimePackageFile),
             reg::MimePackage(true))) {
    std::fprintf(stderr, "tarvex_desktop_files: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
