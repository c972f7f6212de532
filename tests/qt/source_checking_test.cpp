// Checking while typing in the editor: underlines at Generate's selection,
// the fault count, F8 / Shift+F8, the View menu switch, completion and the
// calltip.
#include <QKeyEvent>

#include "editor_fixture.h"
#include "qt/checking/keyword_assist.h"
#include "qt/checking/live_check.h"
#include "qt/checking/policy_lexer.h"
#include "qt/checking/source_checking.h"

namespace tarvex::qt::testing {
namespace {

class SourceCheckingTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_TRUE(Start());
    frame().show();
    view().setFocus();
    Settle();
  }
  SourceChecking& checking() { return *frame().checking(); }

  void SetText(const std::string& bytes) {
    view().SetBytes(bytes);
    Append("");  // an edit, so that the pause starts
    checking().check()->CheckNow();
  }

  // The underlined ranges, in order.
  std::vector<std::pair<long, long>> Underlines() {
    std::vector<std::pair<long, long>> ranges;
    const long length = view().Length();
    long pos = 0;
    while (pos < length) {
      const long on =
          view().SendScintilla(QsciScintilla::SCI_INDICATORVALUEAT, LiveCheck::kIndicator, pos);
      const long end =
          view().SendScintilla(QsciScintilla::SCI_INDICATOREND, LiveCheck::kIndicator, pos);
      if (on != 0) ranges.push_back({pos, end});
      if (end <= pos) break;
      pos = end;
    }
    return ranges;
  }

  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(&view(), static_cast<Qt::Key>(key), mods);
    Settle();
  }
};

const std::string kFaulty =
    "Timeout 5\r\nEnableLogging = yes\r\nServerName = ok\r\nTimeout = 99\r\n";

TEST_F(SourceCheckingTest, UnderlinesEveryFaultAtGeneratesSelectionAndCountsThem) {
  SetText(kFaulty);
  const std::vector<std::pair<long, long>> expected = {{0, 9}, {27, 30}, {59, 61}};
  EXPECT_EQ(Underlines(), expected);
  EXPECT_EQ(checking().countLabel()->text(), "3 faults");
  EXPECT_EQ(checking().check()->MessageAt(28),
            "Invalid boolean value on line 2 !  \nThis keyword can only be assigned with a "
            "boolean value (i.e. true or false).\nUnable to generate the 'Policy.bin' file.");
  EXPECT_TRUE(checking().check()->MessageAt(20).isEmpty());
  SetText("Timeout = 5\r\n");
  EXPECT_TRUE(Underlines().empty());
  EXPECT_EQ(checking().countLabel()->text(), "No faults");
}

TEST_F(SourceCheckingTest, TypingChecksAfterAPause) {
  SetText("Timeout = 5\r\n");
  view().SendScintilla(QsciScintilla::SCI_GOTOPOS, view().Length());
  QTest::keyClicks(&view(), "Nope = 1");
  EXPECT_TRUE(QTest::qWaitFor([&] { return checking().countLabel()->text() == "1 fault"; }, 3000));
}

TEST_F(SourceCheckingTest, F8AndShiftF8VisitTheFaultsInTurn) {
  SetText(kFaulty);
  view().SendScintilla(QsciScintilla::SCI_GOTOPOS, 0L);
  Key(Qt::Key_F8);
  EXPECT_EQ(view().Selection(), std::make_pair(27L, 30L));
  Key(Qt::Key_F8);
  EXPECT_EQ(view().Selection(), std::make_pair(59L, 61L));
  Key(Qt::Key_F8);  // round to the first
  EXPECT_EQ(view().Selection(), std::make_pair(0L, 9L));
  Key(Qt::Key_F8, Qt::ShiftModifier);  // and back to the last
  EXPECT_EQ(view().Selection(), std::make_pair(59L, 61L));
  EXPECT_TRUE(checking().countLabel()->text().startsWith("Fault 3 of 3: \"99\" is not within"));
}

TEST_F(SourceCheckingTest, ViewMenuSwitchTurnsItOff) {
  SetText(kFaulty);
  QAction* toggle = checking().action(ID_VIEW_CHECK_WHILE_TYPING);
  ASSERT_NE(toggle, nullptr);
  EXPECT_TRUE(toggle->isChecked());
  toggle->trigger();
  EXPECT_TRUE(Underlines().empty());
  EXPECT_FALSE(checking().countLabel()->isVisibleTo(&frame()));
  EXPECT_FALSE(checking().action(ID_NEXT_FAULT)->isEnabled());
  toggle->trigger();
  EXPECT_EQ(Underlines().size(), 3u);
}

TEST_F(SourceCheckingTest, CompletionAfterTwoLettersAndOnCtrlSpace) {
  SetText("");
  QTest::keyClicks(&view(), "E");
  Settle();
  EXPECT_EQ(view().SendScintilla(QsciScintilla::SCI_AUTOCACTIVE), 0);
  QTest::keyClicks(&view(), "n");
  Settle();
  ASSERT_NE(view().SendScintilla(QsciScintilla::SCI_AUTOCACTIVE), 0);
  Key(Qt::Key_Return);                          // takes the first match
  EXPECT_EQ(view().Bytes(), "EnableFirewall");  // the list is sorted
  // Ctrl+Space on a new line offers every keyword.
  QTest::keyClicks(&view(), " = true");
  Key(Qt::Key_Return);
  QTest::keyClicks(&view(), "ti");
  Key(Qt::Key_Escape);
  Key(Qt::Key_Space, Qt::ControlModifier);
  ASSERT_NE(view().SendScintilla(QsciScintilla::SCI_AUTOCACTIVE), 0);
  Key(Qt::Key_Tab);
  EXPECT_EQ(view().Bytes(), "EnableFirewall = true\r\nTimeout");
}

TEST_F(SourceCheckingTest, CalltipAfterEquals) {
  SetText("");
  QTest::keyClicks(&view(), "Timeout ");
  Key(Qt::Key_Escape);
  QTest::keyClicks(&view(), "=");
  Settle();
  EXPECT_NE(view().SendScintilla(QsciScintilla::SCI_CALLTIPACTIVE), 0);
}

TEST_F(SourceCheckingTest, HighlightingStylesEachPart) {
  view().SetBytes("; note\r\n[S]\r\nTimeout{policy} = a \\\r\nb\r\nNope = 1\r\n");
  view().SendScintilla(QsciScintilla::SCI_COLOURISE, 0L, -1L);
  auto style = [&](long pos) { return view().SendScintilla(QsciScintilla::SCI_GETSTYLEAT, pos); };
  EXPECT_EQ(style(0), PolicyLexer::kComment);
  EXPECT_EQ(style(8), PolicyLexer::kSection);
  EXPECT_EQ(style(13), PolicyLexer::kKnownKeyword);
  EXPECT_EQ(style(20), PolicyLexer::kAttribute);
  EXPECT_EQ(style(29), PolicyLexer::kEquals);
  EXPECT_EQ(style(31), PolicyLexer::kValue);
  EXPECT_EQ(style(33), PolicyLexer::kContinuation);
  EXPECT_EQ(style(36), PolicyLexer::kValue);  // the continuation line
  EXPECT_EQ(style(39), PolicyLexer::kUnknownKeyword);
}

TEST_F(SourceCheckingTest, ColoursFollowThePalette) {
  PolicyLexer& lexer = *checking().lexer();
  for (const auto& [base, text] : {std::pair{QColor(Qt::white), QColor(Qt::black)},
                                   std::pair{QColor(0x20, 0x20, 0x20), QColor(0xEE, 0xEE, 0xEE)}}) {
    QPalette palette = view().palette();
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Text, text);
    view().setPalette(palette);
    Settle();
    for (int style = 0; style < PolicyLexer::kStyleCount; ++style) {
      EXPECT_EQ(lexer.paper(style), base) << style;
      // Every style stays well apart from the paper in lightness.
      EXPECT_GT(std::abs(lexer.color(style).lightness() - base.lightness()), 60) << style;
    }
  }
}

TEST_F(SourceCheckingTest, TwinStylesLookLikeTheirStyleInEveryPalette) {
  for (const QColor& base : {QColor(Qt::white), QColor(0x20, 0x20, 0x20)}) {
    QPalette palette = view().palette();
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Text, base.lightness() > 128 ? Qt::black : Qt::white);
    view().setPalette(palette);
    Settle();
    auto look = [&](int style) {
      std::vector<long> values;
      for (int message :
           {QsciScintilla::SCI_STYLEGETFORE, QsciScintilla::SCI_STYLEGETBACK,
            QsciScintilla::SCI_STYLEGETBOLD, QsciScintilla::SCI_STYLEGETITALIC,
            QsciScintilla::SCI_STYLEGETSIZEFRACTIONAL, QsciScintilla::SCI_STYLEGETWEIGHT,
            QsciScintilla::SCI_STYLEGETUNDERLINE, QsciScintilla::SCI_STYLEGETVISIBLE}) {
        values.push_back(view().SendScintilla(static_cast<unsigned>(message), style));
      }
      return values;
    };
    for (int style = 0; style < PolicyLexer::kStyleCount; ++style) {
      for (int v = 1; v < PolicyLexer::kVariants; ++v) {
        const int twin = style + v * PolicyLexer::kStyleCount;
        EXPECT_EQ(look(twin), look(style)) << style << " " << twin;
        EXPECT_EQ(checking().lexer()->font(twin), checking().lexer()->font(style)) << twin;
        EXPECT_EQ(checking().lexer()->description(twin), checking().lexer()->description(style));
      }
    }
  }
}

TEST_F(SourceCheckingTest, LongLinesKeepTheirStylesInShortPieces) {
  // A long value of words, long words and runs of blanks, continued on the next line.
  std::string value;
  for (int i = 0; value.size() < 3 * PolicyLexer::kPiecedLineLength; ++i) {
    value += std::string(1 + i % 7, static_cast<char>('a' + i % 26));
    value += i % 11 == 0 ? std::string(40, 'w') : "";
    value += i % 13 == 0 ? std::string(35, i % 2 ? ' ' : '\t') : " ";
  }
  const std::string head = "Timeout{x} = ";
  const std::string text = head + value + "\\\r\nb\r\nNope = 1\r\n";
  view().SetBytes(text);
  view().SendScintilla(QsciScintilla::SCI_COLOURISE, 0L, -1L);
  ASSERT_EQ(view().Bytes(), text);
  std::vector<int> expected(text.size(), PolicyLexer::kValue);
  std::fill_n(expected.begin(), 7, PolicyLexer::kKnownKeyword);
  std::fill_n(expected.begin() + 7, 4, PolicyLexer::kAttribute);
  expected[11] = PolicyLexer::kEquals;
  const std::size_t mark = head.size() + value.size();
  expected[mark] = PolicyLexer::kContinuation;
  // The mark's line end and the line "b" are the value; then "Nope = 1".
  std::fill(expected.begin() + static_cast<long>(mark) + 6, expected.end(),
            PolicyLexer::kUnknownKeyword);
  std::fill_n(expected.end() - 4, 4, PolicyLexer::kValue);
  expected[text.size() - 6] = PolicyLexer::kDefault;
  expected[text.size() - 5] = PolicyLexer::kEquals;
  int run = 0;
  int longest = 0;
  for (std::size_t p = 0; p < text.size(); ++p) {
    const int style = static_cast<int>(view().SendScintilla(QsciScintilla::SCI_GETSTYLEAT, p));
    ASSERT_EQ(PolicyLexer::BaseStyle(style), expected[p]) << p;
    const bool same =
        p > 0 && p < mark && style == view().SendScintilla(QsciScintilla::SCI_GETSTYLEAT, p - 1);
    run = same ? run + 1 : 1;
    longest = std::max(longest, run);
  }
  EXPECT_LE(longest, static_cast<int>(PolicyLexer::kMaxPieceLength));
}

// An edit restyles only the pieces near it; what the view then holds must be
// what a fresh styling of the new text gives, whatever the edit touched.
TEST_F(SourceCheckingTest, StylesAfterAnEditEqualAFreshStyling) {
  std::string value;
  for (int i = 0; value.size() < 3 * PolicyLexer::kPiecedLineLength; ++i) {
    value += std::string(1 + i % 9, static_cast<char>('a' + i % 26));
    value += i % 17 == 0 ? std::string(45, 'w') : "";
    value += i % 13 == 0 ? std::string(33, ' ') : " ";
  }
  const std::string line = "Timeout{x} = " + value;
  const std::string many = "; c\r\n" + line + "\r\nNope = 1\r\n" + line + "\\\r\nb\r\n";
  const long mid = static_cast<long>(line.size() / 2);
  struct Edit {
    const char* name;
    std::string text;
    long at;
    long removed;
    std::string added;
  };
  const Edit edits[] = {
      {"letter in the value", line, mid, 0, "x"},
      {"backspace in the value", line, mid, 1, ""},
      {"blank before a word", line, mid + 3, 0, " "},
      {"a word and blanks", line, 500, 0, "new words  here "},
      {"long word", line, 700, 0, std::string(70, 'z')},
      {"cut a stretch", line, 300, 400, ""},
      {"stretch for a letter", line, 1000, 50, "q"},
      {"value's first byte", line, 13, 0, "v"},
      {"the equals sign", line, 11, 1, ""},
      {"a second equals sign", line, 9, 0, "="},
      {"the keyword", line, 2, 0, "X"},
      {"comment mark", line, 0, 0, ";"},
      {"the line's last byte", line, static_cast<long>(line.size()) - 1, 1, ""},
      {"continuation mark at the end", line, static_cast<long>(line.size()), 0, "\\"},
      {"short again", line, 20, static_cast<long>(line.size()) - 40, ""},
      {"letter in a line among others", many, 5 + mid, 0, "x"},
      {"continuation mark taken away", many, static_cast<long>(many.size()) - 6, 1, ""},
      {"continuation mark added", many, static_cast<long>(5 + line.size()), 0, "\\"},
  };
  auto check = [&](const Edit& e) {
    view().SetBytes(e.text);
    view().SendScintilla(QsciScintilla::SCI_COLOURISE, 0L, -1L);
    if (e.removed > 0) view().SendScintilla(QsciScintilla::SCI_DELETERANGE, e.at, e.removed);
    if (!e.added.empty()) {
      view().SendScintilla(QsciScintilla::SCI_INSERTTEXT, e.at, e.added.c_str());
    }
    const std::string text = view().Bytes();
    const long styled = view().SendScintilla(QsciScintilla::SCI_GETENDSTYLED);
    const long line = view().SendScintilla(QsciScintilla::SCI_LINEFROMPOSITION, e.at);
    ASSERT_GE(styled, view().SendScintilla(QsciScintilla::SCI_GETLINEENDPOSITION, line));
    std::vector<long> held;
    for (long p = 0; p < styled; ++p) {
      held.push_back(view().SendScintilla(QsciScintilla::SCI_GETSTYLEAT, p));
    }
    view().SetBytes(text);
    view().SendScintilla(QsciScintilla::SCI_COLOURISE, 0L, -1L);
    for (long p = 0; p < styled; ++p) {
      ASSERT_EQ(held[static_cast<std::size_t>(p)],
                view().SendScintilla(QsciScintilla::SCI_GETSTYLEAT, p))
          << "at " << p;
    }
  };
  for (const Edit& e : edits) {
    SCOPED_TRACE(e.name);
    check(e);
  }
  // Small edits all along a stretch of the value, where the pieces about
  // each fall every which way.
  const std::string sweep = line.substr(0, 2 * PolicyLexer::kPiecedLineLength);
  for (long at = 13; at < 900; at += 7) {
    for (const auto& [removed, added] : {std::pair{0L, "x"}, {1L, ""}, {0L, " "}, {2L, "a b"}}) {
      SCOPED_TRACE(::testing::Message() << "at " << at << " -" << removed << " +" << added);
      check({"", sweep, at, removed, added});
      if (HasFatalFailure()) return;
    }
  }
}

}  // namespace
}  // namespace tarvex::qt::testing
