// The one-time language hint in its INI file, and the message box request.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "i18n/language_setting.h"
#include "i18n/message_box.h"

namespace kv3 {
namespace {

namespace fs = std::filesystem;

class LanguageHint : public ::testing::Test {
 protected:
  LanguageHint() {
    dir = fs::temp_directory_path() / ("kv3-hint-" + std::to_string(getpid()));
    fs::create_directories(dir);
    path = (dir / "KV-3.ini").string();
  }
  ~LanguageHint() override { fs::remove_all(dir); }
  void Write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
  std::string Read() {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  fs::path dir;
  std::string path;
};

TEST_F(LanguageHint, HintIsUsedOnceThenTheSavedLanguage) {
  Write("[General]\nx=1\n\n[KV-3]\nLanguages=english\nOther=keep\n");
  IniLanguageHintStore store(path);
  EXPECT_EQ(ReadLanguageSetting(store, kLanguageHintKey, 0), Language::English);
  EXPECT_EQ(Read(), "[General]\nx=1\n\n[KV-3]\nOther=keep\n");
  // The next start (after quitting in English) uses the saved language.
  EXPECT_EQ(ReadLanguageSetting(store, kLanguageHintKey, 1), Language::English);
  EXPECT_EQ(ReadLanguageSetting(store, kLanguageHintKey, 0), Language::Simplified);
}

TEST_F(LanguageHint, ExactCaseSensitiveValues) {
  IniLanguageHintStore store(path);
  Write("[KV-3]\nLanguages=chinesetrad\n");
  EXPECT_EQ(ReadLanguageSetting(store, "KV-3", 1), Language::Traditional);
  Write("[KV-3]\nLanguages=English\n");
  EXPECT_EQ(ReadLanguageSetting(store, "KV-3", 1), Language::Simplified);
  EXPECT_EQ(Read(), "[KV-3]\n");
  Write("[KV-3]\nLanguages=\"english\"\n");  // as QSettings may quote it
  EXPECT_EQ(ReadLanguageSetting(store, "KV-3", 0), Language::English);
}

TEST_F(LanguageHint, EmptyOrMissingHintLeavesTheFileAlone) {
  IniLanguageHintStore store(path);
  Write("[KV-3]\nLanguages=\n");
  EXPECT_EQ(ReadLanguageSetting(store, "KV-3", 2), Language::Traditional);
  EXPECT_EQ(Read(), "[KV-3]\nLanguages=\n");
  Write("[Other]\nLanguages=english\n");
  EXPECT_EQ(ReadLanguageSetting(store, "KV-3", 1), Language::English);
  EXPECT_EQ(Read(), "[Other]\nLanguages=english\n");
  IniLanguageHintStore missing((dir / "none.ini").string());
  EXPECT_EQ(ReadLanguageSetting(missing, "KV-3", 0), Language::Simplified);
  EXPECT_FALSE(fs::exists(dir / "none.ini"));
  // A saved value that is no language gives Simplified.
  EXPECT_EQ(ReadLanguageSetting(missing, "KV-3", 7), Language::Simplified);
}

class RecordingPresenter : public MessagePresenter {
 public:
  MessageButton Present(const MessageRequest& r) override {
    last = r;
    return MessageButton::Cancel;
  }
  MessageRequest last;
};

// Yes/No and OK in the three languages are seen in the window tests.
TEST(MessageBox, ButtonLabelsFollowTheLanguage) {
  MessageRequest ok = MakeMessageRequest(OutOfBandMessage(), Language::Traditional);
  ASSERT_EQ(ok.buttonLabels.size(), 1u);
  EXPECT_EQ(ok.buttonLabels[0], std::make_pair(MessageButton::Ok, std::string("確定")));
  EXPECT_EQ(ok.prompt, "超出頻段範圍");
  EXPECT_EQ(ok.icon, MessageIcon::None);

  MessageRequest ari = MakeMessageRequest("", mb::kAbortRetryIgnore, "", Language::Simplified);
  EXPECT_EQ(ari.buttonLabels[0].second, "放弃");
  EXPECT_EQ(ari.buttonLabels[2].second, "忽略");
  MessageRequest unknown = MakeMessageRequest("", mb::kOkOnly, "", static_cast<Language>(5));
  EXPECT_EQ(unknown.buttonLabels[0].second, "");
}

TEST(MessageBox, BandQuestionAndEmptyTitleReplacedForTheCaller) {
  RecordingPresenter box;
  EXPECT_EQ(ShowMessage(box, Language::English, BandChangeQuestion()), MessageButton::Cancel);
  EXPECT_EQ(box.last.prompt, "Change frequency channel list will remove, sure?");
  EXPECT_EQ(box.last.title, "Attention!");
  EXPECT_EQ(box.last.icon, MessageIcon::Question);
  EXPECT_EQ(box.last.buttonLabels[box.last.defaultButton].first, MessageButton::Cancel);
  EXPECT_TRUE(box.last.systemModal);

  std::string prompt = "x", title;
  int buttons = mb::kOkOnly | mb::kIconStop;
  ShowMessage(box, Language::Simplified, prompt, buttons, title);
  EXPECT_EQ(title, "KV-3(T2)");
  EXPECT_EQ(box.last.icon, MessageIcon::Stop);
}

}  // namespace
}  // namespace kv3
