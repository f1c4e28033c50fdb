// The printed record: texts of a radio and file names never become markup,
// and a Traditional record holds no Simplified text.
#include "interchange/codeplug_record.h"

#include <gtest/gtest.h>

#include "editor/demo.h"
#include "i18n/texts.h"
#include "i18n/traditional.h"

namespace kv3 {
namespace {

TEST(CodeplugRecord, HostileTextsStayText) {
  EditorState state = DemoState();
  // Embedded information is bytes from a radio: markup, quotes, a control
  // character, a C1 control and a Latin-1 letter.
  state.shared.EmbeddedInfoText[0] = "<script>x()</script>";
  state.shared.EmbeddedInfoText[1] = "a&b\"c'd\x1B\xE9\x85";
  // A file name that is no UTF-8 (a broken, an overlong and a surrogate sequence).
  const RecordHeading heading{"/tmp/<i>\"x\".DAT\xE6\x8E \xC0\xAF \xED\xA0\x80", "t"};
  const std::string html = CodeplugRecordHtml(state, Language::English, heading);

  EXPECT_EQ(html.find("<script"), std::string::npos);
  EXPECT_NE(html.find(">&lt;script&gt;x()&lt;/script&gt;</td>"), std::string::npos);
  EXPECT_NE(html.find(">a&amp;b&quot;c&#39;d\\x1B\xC3\xA9\\x85</td>"), std::string::npos);
  EXPECT_EQ(html.find("<i>"), std::string::npos);
  const std::string replaced = "\xEF\xBF\xBD";
  EXPECT_NE(html.find(">/tmp/&lt;i&gt;&quot;x&quot;.DAT" + replaced + replaced + " " + replaced +
                      replaced + " " + replaced + replaced + replaced + "</td>"),
            std::string::npos);
  for (char c : html) EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\n');
}

TEST(CodeplugRecord, TraditionalIsConvertedThroughout) {
  const std::string tw = CodeplugRecordHtml(DemoState(), Language::Traditional, {"", "t"});
  EXPECT_NE(tw.find("<html lang=\"zh-Hant\">"), std::string::npos);
  EXPECT_NE(tw.find(">" + ToTraditional("接收频率") + "</th>"), std::string::npos);
  EXPECT_NE(tw.find(ToTraditional(record::kNoFile.zh)), std::string::npos);
  EXPECT_EQ(tw.find("频"), std::string::npos) << "a Simplified text left unconverted";
}

}  // namespace
}  // namespace kv3
