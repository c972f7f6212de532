// Desktop registration under a fresh home, checked with the desktop's own
// tools: desktop-file-validate, gio and QMimeDatabase.
#include "qt/registration/registration.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>

#include "editor_fixture.h"
#include "qt/registration/desktop_entries.h"

namespace tarvex::qt::registration {
namespace {

using tarvex::testing::ReadFile;
using testing::EditorTest;

// A home of its own: data, config and Templates folders, and the tools run
// with the same environment.
class RegistrationTest : public EditorTest {
 protected:
  void SetUp() override {
    home_ = FromPath(dir_.Path("home"));
    QDir().mkpath(home_ + "/Templates");
    QDir().mkpath(home_ + "/config");
    // Before anything asks QMimeDatabase: it reads its folders once.
    qputenv("XDG_DATA_HOME", (home_ + "/data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home_ + "/config").toLocal8Bit());
    paths_.dataHome = home_ + "/data";
    paths_.templatesDir = home_ + "/Templates";
    paths_.executable = home_ + "/bin/tarvex";
    paths_.settingsFile = home_ + "/config/Tarvex.conf";
    // An empty MIME database from the start, so that QMimeDatabase, which
    // looks for new folders only every few seconds, watches this one.
    QDir().mkpath(paths_.dataHome + "/mime/packages");
    Run("update-mime-database", {paths_.dataHome + "/mime"});
    EditorTest::SetUp();
  }

  // Runs a tool in this home; its standard output, and its exit code in `code`.
  QString Run(const QString& program, const QStringList& args, int* code = nullptr) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home_);
    env.insert("XDG_DATA_HOME", paths_.dataHome);
    env.insert("XDG_CONFIG_HOME", home_ + "/config");
    env.insert("GIO_USE_VFS", "local");
    process.setProcessEnvironment(env);
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(20000)) << program.toStdString();
    if (code) *code = process.exitCode();
    return QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError());
  }

  QString ContentType(const QString& name) {
    const QString file = home_ + "/" + name;
    QFile text(file);
    if (text.open(QIODevice::WriteOnly))
      text.write("Name=1\r\n");  // an empty file has a type of its own
    text.close();
    return Run("gio", {"info", "-a", "standard::content-type", file})
        .section("content-type: ", 1)
        .trimmed();
  }

  void RegisterAll() {
    RegisterDocumentType(paths_);
    ASSERT_TRUE(RegisterServer(paths_));
    RunDatabaseUpdaters(paths_);
  }

  QString DataFile(const QString& relative) const { return paths_.dataHome + "/" + relative; }

  // Another program's type that claims "*.inf" first.
  void RegisterOtherInfType() {
    const QString package = DataFile("mime/packages/other.xml");
    QDir().mkpath(DataFile("mime/packages"));
    QFile file(package);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "<?xml version=\"1.0\"?>\n<mime-info "
        "xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "<mime-type type=\"application/x-other-setup\"><comment>Setup</comment>"
        "<glob pattern=\"*.inf\"/></mime-type></mime-info>\n");
    file.close();
    Run("update-mime-database", {DataFile("mime")});
  }

  QString home_;
  RegistrationPaths paths_;
};

TEST_F(RegistrationTest, FreshRegistrationIsSeenByTheDesktop) {
  RegisterAll();
  for (const QString& entry : {QString(kDesktopFile), QString(kEmbeddingDesktopFile)}) {
    int code = -1;
    const QString out = Run("desktop-file-validate", {DataFile("applications/" + entry)}, &code);
    EXPECT_EQ(code, 0) << out.toStdString();
    EXPECT_TRUE(out.trimmed().isEmpty()) << out.toStdString();
  }
  EXPECT_EQ(ContentType("policy.inf"), "text/x-tarvex-policy");
  EXPECT_EQ(ContentType("UPPER.INF"), "text/x-tarvex-policy");
  const QString handlers = Run("gio", {"mime", "text/x-tarvex-policy"});
  EXPECT_TRUE(handlers.contains("Default application") && handlers.contains(": tarvex.desktop"))
      << handlers.toStdString();

  // QMimeDatabase of a new process (this one read its folders before they existed).
  QProcess probe;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("TARVEX_MIME_PROBE", home_ + "/policy.inf");
  env.insert("TARVEX_MIME_PROBE_DATA", paths_.dataHome);
  probe.setProcessEnvironment(env);
  probe.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=MimeProbe.*"});
  ASSERT_TRUE(probe.waitForFinished(20000));
  const QString seen = QString::fromUtf8(probe.readAllStandardOutput());
  EXPECT_TRUE(seen.contains("type text/x-tarvex-policy, text/plain, Tarvex Document"))
      << seen.toStdString();

  EXPECT_TRUE(QFileInfo(DataFile("icons/hicolor/48x48/apps/tarvex.png")).size() > 0);
  EXPECT_TRUE(QFileInfo(DataFile("icons/hicolor/32x32/mimetypes/text-x-tarvex-policy.png")).size() >
              0);
  const QFileInfo templ(home_ + "/Templates/Tarvex Document.inf");
  EXPECT_TRUE(templ.exists());
  EXPECT_EQ(templ.size(), 0);

  const std::string server = ReadFile(ToPath(DataFile("applications/tarvex-embedding.desktop")));
  for (const char* line : {"NoDisplay=true\n", "X-Embedding-Interface=org.tarvex.Embedding1\n",
                           "X-Embedding-TypeId=Tarvex.Document\n", "X-Embedding-ShortName=Tarvex\n",
                           "X-Embedding-Verbs=&Edit;&Open;\n", "X-Embedding-MiscStatus=32\n",
                           "X-Embedding-Insertable=true\n"}) {
    EXPECT_NE(server.find(line), std::string::npos) << line;
  }
  EXPECT_NE(server.find("Exec=\"" + ToPath(paths_.executable) + "\" -Embedding\n"),
            std::string::npos);
}

// What a double click in a file manager does: gio opens the file with the
// registered program, in the file's folder, so that its keyword.txt is found.
TEST_F(RegistrationTest, OpeningAFileStartsTarvexInItsFolder) {
  const QString record = home_ + "/started.txt";
  paths_.executable = home_ + "/bin/fake tarvex";
  QDir().mkpath(home_ + "/bin");
  QFile fake(paths_.executable);
  ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
  fake.write(("#!/bin/sh\n{ pwd; echo \"$@\"; } > '" + record + "'\n").toLocal8Bit());
  fake.close();
  fake.setPermissions(fake.permissions() | QFileDevice::ExeOwner);
  RegisterAll();

  QDir().mkpath(home_ + "/my policies");
  const QString source = home_ + "/my policies/site.inf";
  ContentType("my policies/site.inf");  // writes it
  int code = -1;
  const QString out = Run("gio", {"open", source}, &code);
  ASSERT_EQ(code, 0) << out.toStdString();
  for (int i = 0; i < 200 && QFileInfo(record).size() == 0; ++i) QTest::qWait(25);
  EXPECT_EQ(ReadFile(ToPath(record)), ToPath(home_ + "/my policies\n" + source + "\n"));
}

TEST_F(RegistrationTest, SecondRegistrationWritesTheSameFiles) {
  RegisterAll();
  std::vector<std::string> first;
  for (const QString& file : RegisteredFiles(paths_)) first.push_back(ReadFile(ToPath(file)));
  RegisterAll();
  std::size_t i = 0;
  for (const QString& file : RegisteredFiles(paths_)) {
    EXPECT_EQ(ReadFile(ToPath(file)), first[i++]) << file.toStdString();
  }
  EXPECT_EQ(ContentType("policy.inf"), "text/x-tarvex-policy");
}

TEST_F(RegistrationTest, AnotherTypeKeepsTheExtension) {
  RegisterOtherInfType();
  EXPECT_TRUE(OtherTypeClaimsExtension());
  RegisterAll();
  const std::string package = ReadFile(ToPath(DataFile("mime/packages/tarvex.xml")));
  EXPECT_EQ(package.find("glob"), std::string::npos);
  EXPECT_FALSE(QFileInfo::exists(home_ + "/Templates/Tarvex Document.inf"));
  EXPECT_EQ(ContentType("setup.inf"), "application/x-other-setup");
  // The type and its commands are still there.
  EXPECT_TRUE(Run("gio", {"mime", "text/x-tarvex-policy"}).contains("tarvex.desktop"));
}

TEST_F(RegistrationTest, UnregisterRemovesEverything) {
  RegisterAll();
  QFile settings(paths_.settingsFile);
  ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
  settings.close();
  EXPECT_TRUE(Unregister(paths_));
  for (const QString& file : RegisteredFiles(paths_)) {
    EXPECT_FALSE(QFileInfo::exists(file)) << file.toStdString();
  }
  EXPECT_FALSE(QFileInfo::exists(paths_.settingsFile));
  EXPECT_EQ(ContentType("policy.inf"), "text/plain");
  EXPECT_TRUE(Run("gio", {"mime", "text/x-tarvex-policy"}).contains("No default applications"));
}

TEST_F(RegistrationTest, UnregisterKeepsAFilledTemplate) {
  RegisterAll();
  Write("home/Templates/Tarvex Document.inf", "Name=kept\r\n");
  EXPECT_TRUE(Unregister(paths_));
  EXPECT_EQ(ReadFile(dir_.Path("home/Templates/Tarvex Document.inf")), "Name=kept\r\n");
}

// A folder where a file should be: neither root nor anyone else can write
// or remove it as a file.
void BlockWithFolder(const QString& path) {
  ASSERT_TRUE(QDir().mkpath(path + "/keep"));
}

TEST_F(RegistrationTest, BlockedFilesAreReported) {
  BlockWithFolder(DataFile("applications/tarvex-embedding.desktop"));
  RegisterDocumentType(paths_);
  EXPECT_FALSE(RegisterServer(paths_));
  EXPECT_TRUE(QFileInfo::exists(DataFile("applications/tarvex.desktop")));
  EXPECT_FALSE(Unregister(paths_));
  EXPECT_FALSE(QFileInfo::exists(DataFile("applications/tarvex.desktop")));
}

// Run by FreshRegistrationIsSeenByTheDesktop in a process of its own.
TEST(MimeProbe, PrintsTheTypeOfAFile) {
  const QString file = qEnvironmentVariable("TARVEX_MIME_PROBE");
  if (file.isEmpty()) GTEST_SKIP() << "only as a probe";
  qputenv("XDG_DATA_HOME", qgetenv("TARVEX_MIME_PROBE_DATA"));
  const QMimeType type = QMimeDatabase().mimeTypeForFile(file);
  std::printf("type %s, %s, %s\n", qPrintable(type.name()),
              type.inherits("text/plain") ? "text/plain" : "-", qPrintable(type.comment()));
  std::fflush(stdout);
}

struct StartCase {
  const char* name;
  std::vector<std::string> args;
  bool blockServerEntry;
  bool windowUp;
  QStringList messages;
};

void PrintTo(const StartCase& c, std::ostream* out) {
  *out << c.name;
}

class RegistrationStartTest : public RegistrationTest,
                              public ::testing::WithParamInterface<StartCase> {};

TEST_P(RegistrationStartTest, ShowsItsMessages) {
  const StartCase& c = GetParam();
  qputenv("HOME", home_.toLocal8Bit());
  if (c.blockServerEntry) BlockWithFolder(DataFile("applications/tarvex-embedding.desktop"));
  EXPECT_EQ(Start(c.args), c.windowUp);
  EXPECT_EQ(dialogs_.texts(), c.messages);
  // A normal start registers the type; an unregister request leaves nothing.
  EXPECT_EQ(QFileInfo::exists(DataFile("applications/tarvex.desktop")), c.windowUp);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, RegistrationStartTest,
    ::testing::Values(
        StartCase{"Unregister",
                  {"-Unregister"},
                  false,
                  false,
                  {"System registry entries have been removed and the INI file (if any) was "
                   "deleted."}},
        StartCase{
            "UnregserverWithEmbeddingIsSilent", {"/unregserver", "-Embedding"}, false, false, {}},
        StartCase{"UnregisterThatFails",
                  {"-Unregister"},
                  true,
                  false,
                  {"Failed to update the system registry.\nPlease try using REGEDIT.",
                   "Not all of the system registry entries (or INI file) were removed."}},
        StartCase{"ServerEntryBlockedStartGoesOn",
                  {},
                  true,
                  true,
                  {"Failed to update the system registry.\nPlease try using REGEDIT."}},
        StartCase{"NormalStartIsSilent", {}, false, true, {}}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

struct ExecCase {
  const char* name;
  const char* text;
  const char* quoted;
};

void PrintTo(const ExecCase& c, std::ostream* out) {
  *out << c.name;
}

class ExecArgumentTest : public ::testing::TestWithParam<ExecCase> {};

TEST_P(ExecArgumentTest, QuotesForTheKeyFile) {
  EXPECT_EQ(ExecArgument(QString::fromUtf8(GetParam().text)).toStdString(), GetParam().quoted);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ExecArgumentTest,
    ::testing::Values(ExecCase{"Plain", "/usr/bin/tarvex", "\"/usr/bin/tarvex\""},
                      ExecCase{"Blank", "/opt/my apps/tarvex", "\"/opt/my apps/tarvex\""},
                      ExecCase{"Specials", "a\"b`c$d\\e", "\"a\\\\\"b\\\\`c\\\\$d\\\\\\\\e\""},
                      ExecCase{"Percent", "/x/100%", "\"/x/100%%\""}),
    [](const ::testing::TestParamInfo<ExecCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvex::qt::registration
