// kv3ctl export -o OUT.html: the printed record, read back and compared with
// what kv3ctl show --json says of the same codeplug, in every language.
#include <map>
#include <nlohmann/json.hpp>
#include <regex>

#include "codeplug/codec.h"
#include "e2e_support.h"
#include "editor/demo.h"
#include "image/codeplug_file.h"

namespace kv3::e2e {
namespace {

std::string Unescape(std::string s) {
  const std::pair<const char*, const char*> refs[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
  std::string out;
  for (size_t i = 0; i < s.size();) {
    bool matched = false;
    for (const auto& [ref, text] : refs) {
      if (s.compare(i, std::strlen(ref), ref) == 0) {
        out += text;
        i += std::strlen(ref);
        matched = true;
        break;
      }
    }
    if (!matched) out += s[i++];
  }
  return out;
}

// The record's values by key, and the caption written before each.
struct Record {
  std::map<std::string, std::string> values;
  std::map<std::string, std::string> captions;
  std::vector<std::string> headers;   // the channel table's header row
  std::vector<std::string> headings;  // <h2> texts
};

Record ReadRecord(const std::string& html) {
  Record r;
  const std::regex cell(
      R"re((?:<th[^>]*>([^<]*)</th>)?<td[^>]*? data-key="([^"]*)">([^<]*)</td>)re");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), cell); it != std::sregex_iterator();
       ++it) {
    const std::string key = (*it)[2];
    EXPECT_EQ(r.values.count(key), 0u) << "twice: " << key;
    r.values[key] = Unescape((*it)[3]);
    if ((*it)[1].matched) r.captions[key] = Unescape((*it)[1]);
  }
  const size_t head = html.find("<thead>");
  const std::string row = html.substr(head, html.find("</thead>") - head);
  const std::regex th("<th>([^<]*)</th>");
  for (auto it = std::sregex_iterator(row.begin(), row.end(), th); it != std::sregex_iterator();
       ++it)
    r.headers.push_back(Unescape((*it)[1]));
  const std::regex h2("<h2>([^<]*)</h2>");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), h2); it != std::sregex_iterator();
       ++it)
    r.headings.push_back(Unescape((*it)[1]));
  return r;
}

class RecordE2e : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    EditorState state = DemoState();
    // Markup, quotes, a backslash and a Latin-1 letter from a radio.
    state.shared.EmbeddedInfoText[0] = "<b>&\"'\\ caf\xE9";
    state.shared.EmbeddedInfoText[1] = "</td></tr><script>";
    ASSERT_TRUE(SaveCodeplug(Path("demo.DAT"), EncodeImage(state)).ok());
  }
};

TEST_F(RecordE2e, TheRecordShowsEveryValueOfShowInEachLanguage) {
  for (const char* lang : {"en", "zh-Hans", "zh-Hant"}) {
    SCOPED_TRACE(lang);
    const std::string out = Path(std::string("record-") + lang + ".html");
    const Result exported = Kv3ctl({"export", Path("demo.DAT"), "-o", out, "--lang", lang});
    ASSERT_EQ(exported.code, 0) << exported.err;
    const Result shown = Kv3ctl({"show", Path("demo.DAT"), "--json", "--lang", lang});
    ASSERT_EQ(shown.code, 0) << shown.err;
    const auto json = nlohmann::ordered_json::parse(shown.out);
    const std::string html = ReadFile(out);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    const Record record = ReadRecord(html);

    EXPECT_EQ(record.values.at("file"), Path("demo.DAT"));
    EXPECT_TRUE(
        std::regex_match(record.values.at("time"), std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d)")));
    size_t compared = 2;
    std::vector<std::string> headers;
    for (const auto& [column, header] : json["gridHeaders"].items()) headers.push_back(header);
    EXPECT_EQ(record.headers, headers);
    for (size_t r = 0; r < json["channels"].size(); ++r) {
      for (const auto& [column, value] : json["channels"][r].items()) {
        const std::string key = "channels." + std::to_string(r + 1) + "." + column;
        EXPECT_EQ(record.values.at(key), value.get<std::string>()) << key;
        ++compared;
      }
    }
    for (const auto& [section, body] : json.items()) {
      if (!body.is_object() || !body.contains("fields")) continue;
      EXPECT_NE(std::find(record.headings.begin(), record.headings.end(), body["caption"]),
                record.headings.end())
          << section;
      for (const auto& [field, shownField] : body["fields"].items()) {
        const std::string key = section + "." + field;
        ASSERT_EQ(record.values.count(key), 1u) << key;
        EXPECT_EQ(record.values.at(key), shownField["value"].get<std::string>()) << key;
        EXPECT_EQ(record.captions.at(key), shownField["caption"].get<std::string>()) << key;
        ++compared;
      }
    }
    EXPECT_EQ(compared, record.values.size()) << "the record shows values show does not";
    EXPECT_EQ(record.values.at("embeddedInfo.1"), "<b>&\"'\\ caf\u00E9");
  }
}

TEST_F(RecordE2e, AnOutputThatCannotBeWrittenLeavesNothing) {
  Result r = Kv3ctl({"export", Path("demo.DAT"), "-o", Path("record.pdf")});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("the output must end in .csv, .json or .html"), std::string::npos) << r.err;
  r = Kv3ctl({"export", Path("demo.DAT"), "-o", Path("no-such-folder/record.html")});
  EXPECT_EQ(r.code, 3);
  EXPECT_NE(r.err.find("cannot be written"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(Path("no-such-folder")));
  // A record is no channel list: import refuses it before reading it.
  WriteFile(Path("record.html"), "<html></html>");
  r = Kv3ctl({"import", Path("record.html"), "-o", Path("out.DAT")});
  EXPECT_EQ(r.code, 2);
  EXPECT_FALSE(fs::exists(Path("out.DAT")));
}

}  // namespace
}  // namespace kv3::e2e
