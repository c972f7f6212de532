// The embedded object's rules, as both servers rely on them: what is refused
// in which state (and leaves everything as it was), the limit of the text,
// the verbs and the titles of an object opened from a container.
#include "shell/embedded_object.h"

#include <gtest/gtest.h>

#include "shell/document_rules.h"

namespace tarvex::shell {
namespace {

// A shell that records what the object asked of it.
class FakeHost : public ObjectHost {
 public:
  void NewText() override { LoadText(""); }
  void LoadText(std::string_view bytes) override {
    text = std::string(bytes);
    modified = false;
  }
  std::string Text() const override { return text; }
  bool IsModified() const override { return modified; }
  void MarkSaved() override { modified = false; }
  ObjectError BeginInPlace(std::uint64_t target) override {
    calls += "begin " + std::to_string(target) + ";";
    return refuseInPlace;
  }
  void EndInPlace() override { calls += "end;"; }
  void ShowOwnWindow() override { calls += "show;"; }
  void HideOwnWindow() override { calls += "hide;"; }
  void ShowHostNames(const std::string& t, const std::string& name) override {
    title = t;
    objectName = name;
  }

  std::string text;
  bool modified = false;
  ObjectError refuseInPlace = ObjectError::kNone;
  std::string calls;
  std::string title = "unset";
  std::string objectName;
};

class EmbeddedObjectTest : public ::testing::Test {
 protected:
  FakeHost host_;
  EmbeddedObject object_{host_};
};

TEST_F(EmbeddedObjectTest, TextUpToTheLimitLoadsAndSavesAsItIs) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  for (const std::string& bytes : {all + "\r\n" + all, std::string("a\r\nb\nno end"), std::string(),
                                   std::string(kTextLimit, 'x')}) {
    host_.modified = true;
    ASSERT_EQ(object_.Load(bytes), ObjectError::kNone) << bytes.size();
    EXPECT_FALSE(object_.IsDirty());
    host_.modified = true;
    EXPECT_EQ(object_.Contents(), bytes);
    EXPECT_TRUE(object_.IsDirty());  // a copy leaves the object dirty
    EXPECT_EQ(object_.Save(), bytes);
    EXPECT_FALSE(object_.IsDirty());
  }
}

TEST_F(EmbeddedObjectTest, OversizeLoadChangesNothing) {
  ASSERT_EQ(object_.Load("kept"), ObjectError::kNone);
  host_.modified = true;
  EXPECT_EQ(object_.Load(std::string(kTextLimit + 1, 'x')), ObjectError::kTooLarge);
  EXPECT_EQ(host_.text, "kept");
  EXPECT_TRUE(object_.IsDirty());
}

TEST_F(EmbeddedObjectTest, TextCannotBeReplacedWhileEdited) {
  ASSERT_EQ(object_.Load("kept"), ObjectError::kNone);
  for (int verb : {kVerbEdit, kVerbOpen}) {
    ASSERT_EQ(object_.DoVerb(verb, 7), ObjectError::kNone);
    EXPECT_EQ(object_.Load("new"), ObjectError::kNotNow);
    EXPECT_EQ(object_.InitNew(), ObjectError::kNotNow);
    EXPECT_EQ(host_.text, "kept");
    EXPECT_TRUE(object_.Deactivate());
  }
  EXPECT_FALSE(object_.Deactivate());  // not edited: nothing to tell
  ASSERT_EQ(object_.InitNew(), ObjectError::kNone);
  EXPECT_EQ(host_.text, "");
}

TEST_F(EmbeddedObjectTest, VerbsMoveBetweenTheStates) {
  struct Step {
    int verb;
    std::uint64_t target;
    ObjectError result;
    ObjectState state;
    const char* calls;
  };
  const Step steps[] = {
      {2, 0, ObjectError::kInvalidArgument, ObjectState::kLoaded, ""},
      {-1, 0, ObjectError::kInvalidArgument, ObjectState::kLoaded, ""},
      {kVerbEdit, 5, ObjectError::kNone, ObjectState::kInPlace, "begin 5;"},
      {kVerbEdit, 5, ObjectError::kNone, ObjectState::kInPlace, ""},  // already there
      {kVerbEdit, 6, ObjectError::kNotNow, ObjectState::kInPlace, ""},
      {kVerbOpen, 0, ObjectError::kNone, ObjectState::kOpen, "end;show;"},
      {kVerbEdit, 5, ObjectError::kNotNow, ObjectState::kOpen, ""},
      {kVerbOpen, 0, ObjectError::kNone, ObjectState::kOpen, "show;"},
  };
  for (const Step& step : steps) {
    host_.calls.clear();
    EXPECT_EQ(object_.DoVerb(step.verb, step.target), step.result) << step.verb;
    EXPECT_EQ(object_.state(), step.state) << step.verb;
    EXPECT_EQ(host_.calls, step.calls) << step.verb;
  }
  host_.calls.clear();
  object_.Close();
  EXPECT_EQ(host_.calls, "hide;");
  EXPECT_EQ(object_.state(), ObjectState::kLoaded);
}

TEST_F(EmbeddedObjectTest, InPlaceRefusedByTheShellStaysLoaded) {
  host_.refuseInPlace = ObjectError::kNotSupported;
  EXPECT_EQ(object_.DoVerb(kVerbEdit, 9), ObjectError::kNotSupported);
  EXPECT_EQ(object_.state(), ObjectState::kLoaded);
  EXPECT_EQ(object_.Load("still possible"), ObjectError::kNone);
}

TEST_F(EmbeddedObjectTest, ExtentIsThirtyMillimetresForTheContentOnly) {
  int width = 0;
  int height = 0;
  for (unsigned aspect : {0u, 2u, 4u, 8u}) {
    EXPECT_EQ(object_.GetExtent(aspect, &width, &height), ObjectError::kInvalidArgument);
  }
  ASSERT_EQ(object_.GetExtent(kAspectContent, &width, &height), ObjectError::kNone);
  EXPECT_EQ(width, 3000);
  EXPECT_EQ(height, 3000);
  ASSERT_EQ(ObjectVerbs().size(), 2u);
  EXPECT_STREQ(ObjectVerbs()[0].name, "&Edit");
  EXPECT_STREQ(ObjectVerbs()[1].name, "&Open");
}

TEST_F(EmbeddedObjectTest, HostNamesGiveTitleAndFileMenu) {
  object_.SetHostNames("Test Container", "R&D Object");
  EXPECT_EQ(host_.title, "Tarvex in R&D Object");
  EXPECT_EQ(host_.objectName, "R&D Object");
  EXPECT_EQ(object_.containerName(), "Test Container");
  EXPECT_EQ(UpdateMenuCaption("R&D Object"), "&Update R&&D Object");
  EXPECT_EQ(ExitMenuCaption("R&D Object"), "E&xit && Return to R&&D Object");
  EXPECT_EQ(UpdateMenuCaption(""), "&Update");
  EXPECT_EQ(ExitMenuCaption(""), "E&xit");
  object_.SetHostNames("Test Container", "");
  EXPECT_EQ(host_.title, "");
  ASSERT_EQ(object_.DoVerb(kVerbOpen, 0), ObjectError::kNone);
  EXPECT_EQ(host_.title, "");  // opening names nothing new
}

TEST_F(EmbeddedObjectTest, ClosingTheOwnWindowAsksForASaveOnlyAfterChanges) {
  bool saveFirst = true;
  EXPECT_FALSE(object_.OwnWindowClosed(&saveFirst));  // not open
  EXPECT_FALSE(saveFirst);
  for (bool changed : {false, true}) {
    ASSERT_EQ(object_.DoVerb(kVerbOpen, 0), ObjectError::kNone);
    host_.modified = changed;
    EXPECT_TRUE(object_.OwnWindowClosed(&saveFirst));
    EXPECT_EQ(saveFirst, changed);
    EXPECT_EQ(object_.state(), ObjectState::kLoaded);
  }
}

}  // namespace
}  // namespace tarvex::shell
