// The caption tables and the language menu, over a fake window layer that
// records every text it is given and converts like the real windows do.
#include "i18n/language_switch.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "i18n/captions.h"
#include "i18n/traditional.h"

namespace kv3 {
namespace {

using Key = std::tuple<Window, std::string, CaptionKind, int>;

Key KeyOf(const CaptionTarget& t) {
  return {t.window, t.ObjectName(), t.kind, t.index};
}

class FakeWindows : public CaptionSink {
 public:
  FakeWindows() {
    // Texts no table holds: the DTMF group of the optional functions dialog
    // and the key captions of the keys set dialog.
    Put(Window::Form5, "Label1", CaptionKind::Caption, -1, "首位数码时间");
    Put(Window::Form5, "Combo16", CaptionKind::ListEntry, 0, "关闭");
    Put(Window::Form6, "Label1", CaptionKind::Caption, -1, "PF1");
    Put(Window::Form1, "Text1", CaptionKind::Caption, -1, "438.12500");  // a text box
    textBoxes.insert({Window::Form1, "Text1", CaptionKind::Caption, -1});
  }
  void Put(Window w, const char* control, CaptionKind kind, int index, const char* text) {
    texts[{w, control, kind, index}] = text;
  }
  std::string Get(Window w, const char* control, CaptionKind kind = CaptionKind::Caption,
                  int index = -1) const {
    auto it = texts.find({w, control, kind, index});
    return it == texts.end() ? "<none>" : it->second;
  }
  std::string Entry(Window w, const char* control, int index) const {
    return Get(w, control, CaptionKind::ListEntry, index);
  }

  void SetText(const CaptionTarget& target, const std::string& text) override {
    texts[KeyOf(target)] = text;
    ++writes;
  }
  void ConvertWindowToTraditional(Window window) override {
    convertedOrder.push_back(window);
    for (auto& [key, text] : texts) {
      if (std::get<0>(key) != window || textBoxes.count(key)) continue;
      if (ConversionOfKind(std::get<2>(key)) != TraditionalConversion::Nothing)
        text = ToTraditional(text);
    }
  }
  void SetGrid1Text() override { ++gridRelabels; }

  std::map<Key, std::string> texts;
  std::set<Key> textBoxes;
  std::vector<Window> convertedOrder;
  int writes = 0;
  int gridRelabels = 0;
};

class LanguageSwitch : public ::testing::Test {
 protected:
  LanguageSwitch() { ApplyStartupCaptions(lang, ui); }
  Language lang = Language::Simplified;
  FakeWindows ui;
};

TEST_F(LanguageSwitch, StartupInSimplifiedWritesEveryWindow) {
  EXPECT_EQ(ui.Get(Window::Form1, "Form1", CaptionKind::WindowTitle), "凯维写频软件 V1.00");
  EXPECT_EQ(ui.Get(Window::Form1, "Grid1", CaptionKind::GridHeader, 7), "宽\\窄带");
  EXPECT_EQ(ui.Entry(Window::Form1, "Combo3", 39), "600 秒");
  EXPECT_EQ(ui.Get(Window::Form2, "Label7"), "最大");
  EXPECT_EQ(ui.Get(Window::Form4, "mfgrid1", CaptionKind::GridHeader, 0), "频道");
  EXPECT_EQ(ui.Entry(Window::Form5, "Combo15", 3), "优先+当前");
  EXPECT_EQ(ui.Entry(Window::Form6, "Combo2", 11), "暂时删除");
  EXPECT_EQ(ui.Get(Window::Form7, "Form7", CaptionKind::WindowTitle), "嵌入信息");
  EXPECT_EQ(ui.Get(Window::frmAbout, "Label2"), "发布：2012.10");
  EXPECT_EQ(ui.gridRelabels, 0);
}

TEST_F(LanguageSwitch, EnglishTableWithItsOwnSpellings) {
  MenuEnglish(lang, ui);
  EXPECT_EQ(lang, Language::English);
  EXPECT_EQ(ui.gridRelabels, 1);
  EXPECT_EQ(ui.Get(Window::Form1, "Form1", CaptionKind::WindowTitle),
            "KV-3(T2) Radio Software V1.00");
  EXPECT_EQ(ui.Get(Window::Form1, "mnumainhelp"), "The help topic  F1 \"");
  EXPECT_EQ(ui.Get(Window::Form1, "mnuEnglish"), "Englist");
  EXPECT_EQ(ui.Get(Window::Form1, kToolbarName, CaptionKind::ButtonTip, 6), "Write frequency");
  EXPECT_EQ(ui.Entry(Window::Form1, "Combo5_6", 1), "Carrow");
  EXPECT_EQ(ui.Entry(Window::Form1, "Combo9", 9), "9 Group");
  EXPECT_EQ(ui.Get(Window::Form2, "Frame1"), "TX-Hight Power");
  EXPECT_EQ(ui.Get(Window::Form5, "Label10"), "VOX GBIN");
  EXPECT_EQ(ui.Entry(Window::Form6, "Combo1", 3), "Key lock & backup");
  EXPECT_EQ(ui.Get(Window::frmAbout, "lblVersion"), "English version V3.00");
  // Rows without English keep their texts; so do texts outside the tables.
  EXPECT_EQ(ui.Get(Window::Form1, "Label2"),
            CaptionText({Window::Form1, "Label2"}, Language::Simplified));
  EXPECT_EQ(ui.Get(Window::Form5, "Label1"), "首位数码时间");
  EXPECT_EQ(ui.Get(Window::Form6, "Label1"), "PF1");
}

TEST_F(LanguageSwitch, ChoosingTheCurrentLanguageDoesNothing) {
  MenuChineseSimplified(lang, ui);
  EXPECT_EQ(ui.gridRelabels, 0);
  MenuEnglish(lang, ui);
  int writes = ui.writes;
  MenuEnglish(lang, ui);
  EXPECT_EQ(ui.writes, writes);
  EXPECT_EQ(ui.gridRelabels, 1);
  MenuChineseTraditional(lang, ui);
  auto texts = ui.texts;
  MenuChineseTraditional(lang, ui);
  EXPECT_EQ(ui.texts, texts);
  EXPECT_EQ(ui.gridRelabels, 2);
}

TEST_F(LanguageSwitch, TraditionalConvertsWindowsButNotTitlesOrButtonTips) {
  MenuChineseTraditional(lang, ui);
  EXPECT_EQ(lang, Language::Traditional);
  EXPECT_EQ(ui.convertedOrder, std::vector<Window>(kWindowOrder.begin(), kWindowOrder.end()));
  EXPECT_EQ(ui.gridRelabels, 1);
  EXPECT_EQ(ui.Get(Window::frmAbout, "lblVersion"), "繁體中文版 V1.0");
  EXPECT_EQ(ui.Get(Window::Form1, "Label5"), "發射超時");
  EXPECT_EQ(ui.Get(Window::Form1, "Grid1", CaptionKind::GridHeader, 1), "接收頻率");
  EXPECT_EQ(ui.Entry(Window::Form1, "Combo5_7", 1), "寬帶");
  EXPECT_EQ(ui.Get(Window::Form5, "Label1"), "首位數碼時間");
  // Not converted: window titles, the toolbar buttons' tips, text boxes.
  EXPECT_EQ(ui.Get(Window::Form1, "Form1", CaptionKind::WindowTitle), "凯维写频软件 V1.00");
  EXPECT_EQ(ui.Get(Window::Form1, kToolbarName, CaptionKind::ButtonTip, 5), "读频");
  EXPECT_EQ(ui.Get(Window::Form1, "Text1"), "438.12500");
}

TEST_F(LanguageSwitch, BackFromTraditionalRewritesOnlyTheTables) {
  MenuChineseTraditional(lang, ui);
  MenuChineseSimplified(lang, ui);
  EXPECT_EQ(ui.Get(Window::Form1, "Label5"), "发射超时");
  EXPECT_EQ(ui.Get(Window::frmAbout, "lblVersion"), "简体中文版 V1.00");
  EXPECT_EQ(ui.Get(Window::Form5, "Label1"), "首位數碼時間");  // stays converted
  EXPECT_EQ(ui.Entry(Window::Form5, "Combo16", 0), "關閉");

  MenuChineseTraditional(lang, ui);
  MenuEnglish(lang, ui);
  EXPECT_EQ(ui.Get(Window::Form1, "Label5"), "Time-out:");
  EXPECT_EQ(ui.Get(Window::Form1, "Label2"),
            ToTraditional(CaptionText({Window::Form1, "Label2"}, Language::Simplified)));
}

TEST_F(LanguageSwitch, TraditionalFromEnglishStartsFromSimplified) {
  MenuEnglish(lang, ui);
  MenuChineseTraditional(lang, ui);
  EXPECT_EQ(ui.Get(Window::Form5, "Form5", CaptionKind::WindowTitle), "可选功能");
  EXPECT_EQ(ui.Get(Window::Form1, "mnuQuit"), "退出(&Q)");
  EXPECT_EQ(ui.Entry(Window::Form1, "Combo4", 0), "關閉");
  EXPECT_EQ(ui.Get(Window::frmAbout, "lblVersion"), "繁體中文版 V1.0");
  EXPECT_EQ(ui.gridRelabels, 2);
}

TEST(LanguageStartup, TraditionalStartConvertsAndSetsTheAboutBox) {
  FakeWindows ui;
  ApplyStartupCaptions(Language::Traditional, ui);
  EXPECT_EQ(ui.Get(Window::frmAbout, "lblTitle"), "KV-3(T2) 對講機編程軟件");
  EXPECT_EQ(ui.Get(Window::frmAbout, "lblVersion"), "繁體中文版 V1.0");
  EXPECT_EQ(ui.Get(Window::Form6, "Command2"), "取消");
  EXPECT_EQ(ui.Get(Window::Form2, "Frame1"), "發射高功率");
  EXPECT_EQ(ui.gridRelabels, 0);

  FakeWindows none;
  SetCaptions(static_cast<Language>(3), none);
  EXPECT_EQ(none.writes, 0);
}

// A window made after start-up (the feature dialogs) writes its own
// captions: they are the texts start-up gives it, and no other window's.
TEST(LanguageStartup, OneWindowTakesTheTextsStartupGivesIt) {
  for (Language lang : {Language::Simplified, Language::English, Language::Traditional}) {
    FakeWindows all;
    ApplyStartupCaptions(lang, all);
    for (Window w : kWindowOrder) {
      FakeWindows one;
      ApplyWindowCaptions(w, lang, one, true);
      for (const auto& [key, text] : all.texts) {
        if (std::get<0>(key) != w) continue;
        EXPECT_EQ(one.texts[key], text) << WindowName(w) << " " << std::get<1>(key);
      }
      FakeWindows untouched;
      for (const auto& [key, text] : one.texts) {
        if (std::get<0>(key) == w) continue;
        EXPECT_EQ(text, untouched.texts[key]) << WindowName(w) << " wrote " << std::get<1>(key);
      }
    }
  }
  // Told Traditional later, the about box keeps the title of its table.
  FakeWindows about;
  ApplyWindowCaptions(Window::frmAbout, Language::Traditional, about, false);
  EXPECT_EQ(about.Get(Window::frmAbout, "lblTitle"), "凱維寫頻軟件");
  EXPECT_EQ(about.Get(Window::frmAbout, "lblVersion"), "繁體中文版 V1.0");
}

}  // namespace
}  // namespace kv3
