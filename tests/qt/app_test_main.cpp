// The editor's test program: a QApplication on the offscreen platform,
// Qt's own dialogs instead of a desktop's, and settings in a fresh folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication qt(argc, argv);
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
  // Start-up registers Tarvex with the desktop: here, in the same fresh folder.
  qputenv("XDG_DATA_HOME", (settings.path() + "/data").toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", (settings.path() + "/config").toLocal8Bit());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
