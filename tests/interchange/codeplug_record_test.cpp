// The printed record: texts of the radio and of file names can never break
// the page, and every language shows its own captions.
#include "interchange/codeplug_record.h"

#include <gtest/gtest.h>

#include "editor/demo.h"
#include "i18n/texts.h"
#include "i18n/traditional.h"

namespace kv3 {
namespace {

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(CodeplugRecord, HostileTextsStayText) {
  EditorState state = DemoState();
  // Embedded information is bytes from a radio: markup, quotes, a control
  // character and Latin-1 letters.
  state.shared.EmbeddedInfoText[0] = "<script>x()</script>";
  state.shared.EmbeddedInfoText[1] = "a&b\"c'd\x1B\xE9\x85";
  RecordHeading heading{"/tmp/<i>\"x\".DAT\xFF", "2026-12-07 05:15"};
  const std::string html = CodeplugRecordHtml(state, Language::English, heading);

  EXPECT_EQ(html.find("<script"), std::string::npos);
  EXPECT_NE(html.find(">&lt;script&gt;x()&lt;/script&gt;</td>"), std::string::npos);
  EXPECT_NE(html.find(">a&amp;b&quot;c&#39;d\\x1B\xC3\xA9\\x85</td>"), std::string::npos);
  // The file name: in the page's title and its heading, never as markup,
  // and a byte that is no UTF-8 as the replacement character.
  EXPECT_EQ(html.find("<i>"), std::string::npos);
  EXPECT_EQ(Count(html, "/tmp/&lt;i&gt;&quot;x&quot;.DAT\xEF\xBF\xBD"), 2u);
  // No byte of the page is a control character but the line ends.
  for (char c : html) EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\n');
}

TEST(CodeplugRecord, EscapesWhatMarkupAndTerminalsCannotShow) {
  EXPECT_EQ(HtmlEscape("a<b>&\"'"), "a&lt;b&gt;&amp;&quot;&#39;");
  EXPECT_EQ(HtmlEscape("\t\x7F\xC2\x9F\xC2\xA0"), "\\x09\\x7F\\x9F\xC2\xA0");
  EXPECT_EQ(HtmlEscape("接收频率"), "接收频率");
  // Broken, overlong and surrogate sequences each become U+FFFD per byte.
  EXPECT_EQ(HtmlEscape("\xE6\x8E"), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(HtmlEscape("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(HtmlEscape("\xED\xA0\x80").size(), 9u);
}

TEST(CodeplugRecord, EachLanguageShowsItsOwnCaptions) {
  const EditorState state = DemoState();
  const RecordHeading heading{"radio.DAT", "2026-12-07 05:15"};
  const std::string zh = CodeplugRecordHtml(state, Language::Simplified, heading);
  const std::string en = CodeplugRecordHtml(state, Language::English, heading);
  const std::string tw = CodeplugRecordHtml(state, Language::Traditional, heading);

  EXPECT_NE(zh.find("<html lang=\"zh-Hans\">"), std::string::npos);
  EXPECT_NE(zh.find("<th>接收频率</th>"), std::string::npos);
  EXPECT_NE(zh.find(">" + std::string(form5::kVoxGain.zh) + "</th>"), std::string::npos);
  EXPECT_NE(en.find("<th>RX frequency</th>"), std::string::npos);
  EXPECT_NE(en.find(">VOX GBIN</th>"), std::string::npos);
  EXPECT_NE(en.find(">Hight</td>"), std::string::npos) << "a value, not only a caption";
  EXPECT_EQ(en.find("接收频率"), std::string::npos);
  EXPECT_NE(tw.find("<html lang=\"zh-Hant\">"), std::string::npos);
  EXPECT_NE(tw.find("<th>" + ToTraditional("接收频率") + "</th>"), std::string::npos);
  EXPECT_NE(tw.find(ToTraditional(record::kChannels.zh)), std::string::npos);
  EXPECT_EQ(tw.find("频"), std::string::npos) << "a Simplified text left unconverted";
}

TEST(CodeplugRecord, NamesTheFileAndTheTime) {
  const EditorState state = DemoState();
  const std::string saved = CodeplugRecordHtml(state, Language::English, {"radio.DAT", "t"});
  EXPECT_NE(saved.find("<td data-key=\"file\">radio.DAT</td>"), std::string::npos);
  EXPECT_NE(saved.find("<td data-key=\"time\">t</td>"), std::string::npos);
  const std::string unsaved = CodeplugRecordHtml(state, Language::Simplified, {"", "t"});
  EXPECT_NE(unsaved.find(std::string("<td data-key=\"file\">") + record::kNoFile.zh),
            std::string::npos);

  std::tm tm{};
  tm.tm_year = 126;
  tm.tm_mon = 11;
  tm.tm_mday = 7;
  tm.tm_hour = 5;
  tm.tm_min = 9;
  EXPECT_EQ(RecordTime(tm), "2026-12-07 05:09");
}

}  // namespace
}  // namespace kv3
