// CheckSource on arbitrary bytes, with the editor holding the same bytes:
// the fast scan and the plain one give the same faults, field by field;
// no crash, at most one message, a fault always ends with the closing
// line of the fault messages and selects inside the text, and a sound
// source shows nothing. The check that lists every fault must begin with
// exactly that fault (message and selection) and keep its selections inside
// the text, in line order. FindErrorSelection is also driven directly, with
// a line number and kind taken from the input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "checker/all_faults.h"
#include "checker/error_location.h"
#include "commands/main_frame_logic.h"
#include "fuzz_support.h"
#include "keywords/keyword_file.h"
#include "platform/fake_window_system.h"
#include "platform/resource_ids.h"

namespace tarvex::fuzz {
namespace {

// Every type, bounds of every shape, duplicates and an empty name.
constexpr const char* kDictionary =
    "ServerName, string\n"
    "Port, int, 1, 65535\n"
    "Level, Int, -5, 5\n"
    "Wide, int, -2147483648, 2147483647\n"
    "Beyond, int, -99999999999, 99999999999\n"
    "Upside, int, 10, 1\n"
    "NoBounds, int\n"
    "Junk, int, 1x, abc\n"
    "Enabled, bool\n"
    "Odd, integer\n"
    ", string\n"
    "Dup, bool\n"
    "DUP, string\n"
    "PeerLinkKey, string\n";

const KeywordTable& Dictionary() {
  static const KeywordTable table = [] {
    KeywordTable t;
    FakeWindowSystem ws;
    const std::string path = ScratchFolder::Get().Write("dictionary.txt", kDictionary);
    if (!LoadKeywordFile(t, path, ws)) std::abort();
    return t;
  }();
  return table;
}

bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

}  // namespace
}  // namespace tarvex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace tarvex;
  using namespace tarvex::fuzz;
  InScratchFolder here;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const KeywordTable& dictionary = Dictionary();

  FakeWindowSystem ws;
  ws.viewText = bytes;
  MainFrameLogic frame(ws);
  frame.SetKeywordTable(&dictionary);
  frame.m_sourcePath = ScratchFolder::Get().Write("source.inf", bytes);
  const bool sound = frame.CheckSource();

  if (sound) {
    FUZZ_CHECK(ws.boxes.empty() && ws.selections.empty());
  } else {
    FUZZ_CHECK(ws.boxes.size() == 1);
    const FakeWindowSystem::Box& box = ws.boxes[0];
    FUZZ_CHECK(!box.application);
    FUZZ_CHECK(EndsWith(box.text, "\nUnable to generate the 'Policy.bin' file."));
    if (box.id == IDS_NO_KEYWORDS) {
      FUZZ_CHECK(ws.selections.empty());
      FUZZ_CHECK(box.text.find("\nUnable") == box.text.rfind("\nUnable"));
    } else {
      // The selection comes first, then the message.
      FUZZ_CHECK(ws.selections.size() == 1);
      FUZZ_CHECK(ws.events.size() == 2 && ws.events[0].rfind("select: ", 0) == 0);
      const auto [start, end] = ws.selections[0];
      FUZZ_CHECK(start <= end && end <= bytes.size());
    }
  }

  // Every fault, from the text in memory: the first is Generate's.
  const std::vector<SourceFault> faults = CheckText(bytes, dictionary);
  FUZZ_CHECK(faults.empty() == sound);
  if (!sound) {
    FUZZ_CHECK(faults[0].messageId == ws.boxes[0].id);
    FUZZ_CHECK(faults[0].message == ws.boxes[0].text);
    FUZZ_CHECK(faults[0].selects == !ws.selections.empty());
    if (faults[0].selects) {
      FUZZ_CHECK(faults[0].selection.start == ws.selections[0].first);
      FUZZ_CHECK(faults[0].selection.end == ws.selections[0].second);
    }
  }
  // The fast scan is the plain scan, only faster.
  const std::vector<SourceFault> plain = CheckText(bytes, dictionary, ScanForm::kPlain);
  FUZZ_CHECK(plain.size() == faults.size());
  for (std::size_t i = 0; i < faults.size(); ++i) {
    FUZZ_CHECK(plain[i].messageId == faults[i].messageId);
    FUZZ_CHECK(plain[i].message == faults[i].message);
    FUZZ_CHECK(plain[i].line == faults[i].line && plain[i].lastLine == faults[i].lastLine);
    FUZZ_CHECK(plain[i].selects == faults[i].selects);
    FUZZ_CHECK(plain[i].selection.start == faults[i].selection.start);
    FUZZ_CHECK(plain[i].selection.end == faults[i].selection.end);
  }
  for (std::size_t i = 0; i < faults.size(); ++i) {
    const SourceFault& f = faults[i];
    FUZZ_CHECK(f.selection.start <= f.selection.end && f.selection.end <= bytes.size());
    FUZZ_CHECK(f.line <= f.lastLine);
    FUZZ_CHECK(EndsWith(f.message, "\nUnable to generate the 'Policy.bin' file."));
    if (i > 0) FUZZ_CHECK(f.line > faults[i - 1].lastLine);
  }

  // The locator alone, on any line and kind, with a text cut from the input.
  if (size >= 3) {
    const int line = 1 + (data[0] | (data[1] << 8)) % 300;
    const SelectKind kind = static_cast<SelectKind>(data[2] % 4);
    const std::string text = bytes.substr(3, data[2] / 4);
    const ErrorSelection sel = FindErrorSelection(bytes, text, line, kind);
    FUZZ_CHECK(sel.start <= sel.end && sel.end <= bytes.size());
    FUZZ_CHECK(sel.lineStart <= sel.start);
    FUZZ_CHECK(!sel.lineExists || sel.lineStart == 0 || bytes[sel.lineStart - 1] == '\n');
  }
  return 0;
}
