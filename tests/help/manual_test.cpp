// The manual as the build makes it: links and pictures that exist, the same
// topics in every language, every message of the program explained in the
// troubleshooting page of its language, and the command reference made from
// kv3ctl's own help.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "dialogs/help_topics.h"
#include "i18n/language.h"
#include "i18n/messages.h"
#include "i18n/traditional.h"

namespace fs = std::filesystem;

namespace {

const fs::path kHelp = KV3_HELP_DIR;
const fs::path kSource = KV3_SOURCE_DIR;
constexpr kv3::Language kLanguages[] = {kv3::Language::Simplified, kv3::Language::Traditional,
                                        kv3::Language::English};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<fs::path> Pages() {
  std::vector<fs::path> pages;
  for (const auto& e : fs::recursive_directory_iterator(kHelp))
    if (e.path().extension() == ".html") pages.push_back(e.path());
  return pages;
}

std::string CollapseSpaces(const std::string& text) {
  std::string out;
  bool space = false;
  for (char c : text) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      space = true;
      continue;
    }
    if (space && !out.empty()) out += ' ';
    space = false;
    out += c;
  }
  return out;
}

// The text a reader sees: tags removed, entities decoded, blanks collapsed.
std::string VisibleText(const std::string& html) {
  std::string text;
  bool inTag = false;
  for (char c : html) {
    if (c == '<') inTag = true;
    if (!inTag) text += c;
    if (c == '>') inTag = false;
  }
  const std::pair<const char*, const char*> entities[] = {{"&lt;", "<"},    {"&gt;", ">"},
                                                          {"&quot;", "\""}, {"&#39;", "'"},
                                                          {"&nbsp;", " "},  {"&amp;", "&"}};
  for (const auto& [entity, character] : entities) {
    for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
      text.replace(at, std::string(entity).size(), character);
  }
  return CollapseSpaces(text);
}

std::set<std::string> PageNames(const fs::path& folder) {
  std::set<std::string> names;
  if (!fs::is_directory(folder)) return names;
  for (const auto& e : fs::directory_iterator(folder))
    if (e.path().extension() == ".html") names.insert(e.path().filename().string());
  return names;
}

std::string Troubleshooting(kv3::Language lang) {
  return VisibleText(ReadFile(kHelp / kv3::HelpPagePath(lang, kv3::HelpTopic::Troubleshooting)));
}

// C++ source, read just well enough to find string literals.
class SourceReader {
 public:
  explicit SourceReader(std::string text) : text_(std::move(text)) {}

  // The code with comments removed, every string literal (adjacent ones
  // joined) replaced by the mark \x01N\x01, N its index in literals().
  std::string Code() {
    std::string code;
    for (size_t i = 0; i < text_.size();) {
      const char c = text_[i];
      if (c == '/' && i + 1 < text_.size() && text_[i + 1] == '/') {
        i = text_.find('\n', i);
        if (i == std::string::npos) break;
      } else if (c == '/' && i + 1 < text_.size() && text_[i + 1] == '*') {
        i = text_.find("*/", i);
        i = i == std::string::npos ? text_.size() : i + 2;
      } else if (c == '#' && (i == 0 || text_[i - 1] == '\n')) {
        i = text_.find('\n', i);
        if (i == std::string::npos) break;
      } else if (c == '\'') {
        for (++i; i < text_.size() && text_[i] != '\''; ++i)
          if (text_[i] == '\\') ++i;
        ++i;
        code += "' '";
      } else if (c == '"') {
        std::string literal;
        for (;;) {
          literal += ReadLiteral(i);
          size_t next = i;
          while (next < text_.size() && std::isspace(static_cast<unsigned char>(text_[next])))
            ++next;
          if (next >= text_.size() || text_[next] != '"') break;
          i = next;
        }
        code += "\x01" + std::to_string(literals_.size()) + "\x01";
        literals_.push_back(literal);
      } else {
        code += c;
        ++i;
      }
    }
    return code;
  }
  const std::vector<std::string>& literals() const { return literals_; }

 private:
  // Reads the literal starting at text_[i] (a quote); i ends after it.
  std::string ReadLiteral(size_t& i) {
    std::string out;
    for (++i; i < text_.size() && text_[i] != '"'; ++i) {
      if (text_[i] != '\\') {
        out += text_[i];
        continue;
      }
      const char e = text_[++i];
      if (e == 'n') {
        out += '\n';
      } else if (e == 't') {
        out += '\t';
      } else if (e == 'r') {
        out += '\r';
      } else if (e == 'x') {
        out += '\x1b';  // only escape sequences of a terminal are written so
        while (i + 1 < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[i + 1]))) ++i;
      } else {
        out += e;
      }
    }
    ++i;
    return out;
  }

  std::string text_;
  std::vector<std::string> literals_;
};

// Every message pair of the message catalogues: each Text2 defined in a
// namespace kv3::msg of src/.
std::vector<kv3::Text2> ParsedMessages(std::vector<std::string>& storage) {
  std::vector<std::pair<size_t, size_t>> pairs;
  for (const auto& e : fs::recursive_directory_iterator(kSource / "src")) {
    if (e.path().extension() != ".h" && e.path().extension() != ".cpp") continue;
    SourceReader reader(ReadFile(e.path()));
    const std::string code = reader.Code();
    static const std::regex open(R"(namespace\s+(kv3::)?msg\s*\{)");
    for (std::sregex_iterator m(code.begin(), code.end(), open), end; m != end; ++m) {
      size_t at = static_cast<size_t>(m->position() + m->length());
      int depth = 1;
      size_t close = at;
      for (; close < code.size() && depth > 0; ++close)
        depth += code[close] == '{' ? 1 : code[close] == '}' ? -1 : 0;
      const std::string block = code.substr(at, close - at);
      static const std::regex pair(R"(Text2\s+k\w+\s*\{\s*\x01(\d+)\x01\s*,\s*\x01(\d+)\x01\s*\})");
      for (std::sregex_iterator p(block.begin(), block.end(), pair); p != end; ++p) {
        storage.push_back(reader.literals()[std::stoul((*p)[1])]);
        storage.push_back(reader.literals()[std::stoul((*p)[2])]);
        pairs.emplace_back(storage.size() - 2, storage.size() - 1);
      }
    }
  }
  std::vector<kv3::Text2> messages;
  for (auto [zh, en] : pairs) messages.push_back({storage[zh].c_str(), storage[en].c_str()});
  return messages;
}

// The texts kv3ctl prints on stderr of its own: the literals of statements
// that write to std::cerr, give a usage error or refuse an edit, and every
// literal that starts with "kv3ctl: ". Cut at line ends and printf
// conversions; pieces without a word of three letters are left out.
std::set<std::string> Kv3ctlMessagePieces() {
  std::set<std::string> pieces;
  for (const auto& e : fs::directory_iterator(kSource / "tools/kv3ctl")) {
    if (e.path().extension() != ".cpp") continue;
    SourceReader reader(ReadFile(e.path()));
    const std::string code = reader.Code();
    std::vector<bool> wanted(reader.literals().size(), false);
    size_t start = 0;
    for (size_t end = code.find(';'); end != std::string::npos; end = code.find(';', start)) {
      const std::string statement = code.substr(start, end - start);
      const bool message = statement.find("std::cerr") != std::string::npos ||
                           statement.find("Usage(") != std::string::npos ||
                           statement.find("Refusal{") != std::string::npos;
      for (size_t at = statement.find('\x01'); at != std::string::npos;
           at = statement.find('\x01', statement.find('\x01', at + 1) + 1)) {
        const size_t index = std::stoul(statement.substr(at + 1));
        wanted[index] = message || reader.literals()[index].rfind("kv3ctl: ", 0) == 0;
      }
      start = end + 1;
    }
    static const std::regex cut(R"(\n|%[-+ #0]*\d*(\.\d+)?(hh|h|ll|l|z)?[diouxXfeEgGcsp])");
    static const std::regex word("[A-Za-z]{3}");
    for (size_t i = 0; i < wanted.size(); ++i) {
      if (!wanted[i]) continue;
      const std::string& literal = reader.literals()[i];
      for (std::sregex_token_iterator p(literal.begin(), literal.end(), cut, -1), end; p != end;
           ++p) {
        std::string piece = p->str();
        if (piece.find_first_of("\r\x1b") != std::string::npos) continue;
        if (piece.rfind("kv3ctl: ", 0) == 0) piece.erase(0, 8);
        piece = CollapseSpaces(piece);
        if (std::regex_search(piece, word)) pieces.insert(piece);
      }
    }
  }
  return pieces;
}

std::string Capture(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

}  // namespace

TEST(Manual, EveryLinkAndPictureExists) {
  static const std::regex reference(R"re((href|src)="([^"]*)")re");
  std::vector<std::string> broken;
  const std::vector<fs::path> pages = Pages();
  ASSERT_GE(pages.size(), 3 * kv3::AllHelpTopics().size());
  for (const fs::path& page : pages) {
    const std::string html = ReadFile(page);
    for (std::sregex_iterator m(html.begin(), html.end(), reference), end; m != end; ++m) {
      const std::string target = (*m)[2];
      if (target.rfind("http://", 0) == 0 || target.rfind("https://", 0) == 0 ||
          target.rfind("mailto:", 0) == 0)
        continue;
      const size_t hash = target.find('#');
      const std::string file = target.substr(0, hash);
      const fs::path resolved = file.empty() ? page : page.parent_path() / file;
      bool ok = !target.empty() && fs::is_regular_file(resolved);
      if (ok && hash != std::string::npos)
        ok = ReadFile(resolved).find("id=\"" + target.substr(hash + 1) + "\"") != std::string::npos;
      if (!ok) broken.push_back(fs::relative(page, kHelp).string() + ": " + target);
    }
  }
  EXPECT_TRUE(broken.empty()) << ::testing::PrintToString(broken);
}

TEST(Manual, EveryLanguageHasEveryTopic) {
  const std::set<std::string> simplified = PageNames(kHelp / "zh-Hans");
  for (kv3::HelpTopic topic : kv3::AllHelpTopics())
    EXPECT_TRUE(simplified.count(kv3::HelpTopicFile(topic))) << kv3::HelpTopicFile(topic);
  for (kv3::Language lang : kLanguages) {
    const std::string folder = kv3::HelpLanguageFolder(lang);
    EXPECT_EQ(PageNames(kHelp / folder), simplified) << folder;
    for (const std::string& name : simplified) {
      const std::string html = ReadFile(kHelp / folder / name);
      EXPECT_NE(html.find("<html lang=\"" + folder + "\">"), std::string::npos)
          << folder << "/" << name << " does not say its language";
    }
  }
}

TEST(Manual, TraditionalPagesAreTheConversionOfTheSimplifiedOnes) {
  static const std::regex title("<title>([^<]*)</title>");
  for (const std::string& name : PageNames(kHelp / "zh-Hans")) {
    const std::string simplified = ReadFile(kHelp / "zh-Hans" / name);
    const std::string traditional = ReadFile(kHelp / "zh-Hant" / name);
    std::smatch s, t;
    ASSERT_TRUE(std::regex_search(simplified, s, title)) << name;
    ASSERT_TRUE(std::regex_search(traditional, t, title)) << name;
    EXPECT_EQ(t[1].str(), kv3::ToTraditional(s[1].str())) << name;
    // The pictures of the Traditional pages are those taken in Traditional Chinese.
    EXPECT_EQ(simplified.find("images/zh-Hans/") == std::string::npos,
              traditional.find("images/zh-Hant/") == std::string::npos)
        << name;
    EXPECT_EQ(traditional.find("images/zh-Hans/"), std::string::npos) << name;
  }
}

TEST(Troubleshooting, ExplainsEveryMessageOfTheWindows) {
  std::vector<std::string> storage;
  const std::vector<kv3::Text2> messages = ParsedMessages(storage);
  // The catalogue was read as the compiler reads it.
  ASSERT_GE(messages.size(), 20u);
  bool found = false;
  for (const kv3::Text2& m : messages)
    found |= std::string(m.zh) == kv3::msg::kCommError.zh &&
             std::string(m.en) == kv3::msg::kCommError.en;
  ASSERT_TRUE(found);

  for (kv3::Language lang : kLanguages) {
    const std::string page = Troubleshooting(lang);
    for (const kv3::Text2& m : messages) {
      EXPECT_NE(page.find(CollapseSpaces(kv3::Localize(m, lang))), std::string::npos)
          << kv3::HelpLanguageFolder(lang) << " lacks: " << kv3::Localize(m, lang);
    }
  }
}

TEST(Troubleshooting, ExplainsEveryMessageOfKv3ctl) {
  const std::set<std::string> pieces = Kv3ctlMessagePieces();
  ASSERT_TRUE(pieces.count("Try 'kv3ctl --help'.")) << ::testing::PrintToString(pieces);
  ASSERT_TRUE(pieces.count("verify failed: the radio differs at address 0x"));
  ASSERT_TRUE(pieces.count(", read back")) << ::testing::PrintToString(pieces);
  for (kv3::Language lang : kLanguages) {
    const std::string page = Troubleshooting(lang);
    for (const std::string& piece : pieces)
      EXPECT_NE(page.find(piece), std::string::npos)
          << kv3::HelpLanguageFolder(lang) << " lacks: " << piece;
  }
}

TEST(CommandReference, IsKv3ctlsOwnHelp) {
  const std::string help = Capture("'" KV3CTL "' --help");
  ASSERT_NE(help.find("Commands:"), std::string::npos);
  for (kv3::Language lang : kLanguages) {
    const std::string page =
        VisibleText(ReadFile(kHelp / kv3::HelpPagePath(lang, kv3::HelpTopic::CommandReference)));
    EXPECT_NE(page.find(CollapseSpaces(help)), std::string::npos) << kv3::HelpLanguageFolder(lang);
  }
}
