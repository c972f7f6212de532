// Printing the text to a PDF file: with the print dialog, without it (the
// "p" switch), through print preview, and a printer that cannot start.
#include <Qsci/qsciprinter.h>

#include "editor_fixture.h"

namespace tarvex::qt::testing {
namespace {

class PrintingTest : public EditorTest {
 protected:
  void PrintTo(const QString& pdf) {
    app_->printer().setOutputFormat(QPrinter::PdfFormat);
    app_->printer().setOutputFileName(pdf);
  }
  static bool IsPdf(const std::string& bytes) { return bytes.rfind("%PDF", 0) == 0; }
};

TEST_F(PrintingTest, PrintWithTheDialog) {
  ASSERT_TRUE(Start());
  view().SetBytes("Timeout = 30\r\n" + std::string(5000, 'x'));
  PrintTo(Path("out.pdf"));
  frame().action(ID_FILE_PRINT)->trigger();
  EXPECT_EQ(dialogs_.printDialogs, 1);
  EXPECT_TRUE(IsPdf(ReadFile(dir_.Path("out.pdf"))));
  EXPECT_TRUE(dialogs_.boxes.empty());

  // A cancelled dialog prints nothing.
  QFile::remove(Path("out.pdf"));
  dialogs_.acceptPrint = false;
  frame().action(ID_FILE_PRINT)->trigger();
  EXPECT_FALSE(FileExists(dir_.Path("out.pdf")));
}

TEST_F(PrintingTest, PrintSwitchPrintsWithoutAWindowAndEnds) {
  Write("policy.inf", ExampleFile("policy.inf"));
  PrintTo(Path("direct.pdf"));
  EXPECT_FALSE(app_->InitInstance({"/p", dir_.Path("policy.inf")}));
  EXPECT_EQ(app_->exitCode(), 0);
  EXPECT_EQ(app_->frame(), nullptr);
  EXPECT_TRUE(IsPdf(ReadFile(dir_.Path("direct.pdf"))));
  EXPECT_EQ(dialogs_.printDialogs, 0);
}

TEST_F(PrintingTest, PrintToAnUnknownPrinterPrintsNothing) {
  Write("policy.inf", "A = 1");
  EXPECT_FALSE(app_->InitInstance({"/pt", dir_.Path("policy.inf"), "No Such Printer", "d", "p"}));
  EXPECT_NE(app_->exitCode(), 0);
  EXPECT_EQ(app_->frame(), nullptr);
}

TEST_F(PrintingTest, PreviewRemembersItsPages) {
  ASSERT_TRUE(Start());
  view().SetBytes("A = 1\r\n");
  app_->setPreviewPages(2);
  dialogs_.previewAnswer = 1;
  PrintTo(Path("preview.pdf"));
  frame().action(ID_FILE_PRINT_PREVIEW)->trigger();
  EXPECT_EQ(dialogs_.previewOpenedWith, 2);
  EXPECT_EQ(app_->previewPages(), 1);
}

TEST_F(PrintingTest, TextKeepsClearOfThePageEdge) {
  const QMarginsF margins = app_->printer().pageLayout().margins(QPageLayout::Millimeter);
  for (double side : {margins.left(), margins.top(), margins.right(), margins.bottom()}) {
    EXPECT_GE(side, 15.0);
  }
}

TEST_F(PrintingTest, PrinterThatCannotStartIsReported) {
  ASSERT_TRUE(Start());
  PrintTo(Path("no-folder/out.pdf"));
  frame().action(ID_FILE_PRINT)->trigger();
  EXPECT_EQ(dialogs_.texts(),
            QStringList{Path("no-folder/out.pdf") + " contains an invalid path."});
}

}  // namespace
}  // namespace tarvex::qt::testing
