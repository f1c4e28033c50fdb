// The forms of kv3ctl's command description: help text, manual page (roff),
// an HTML fragment for the manual, JSON, and the bash completion.
#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "kv3_version.h"
#include "reference.h"

namespace kv3ctl {

namespace {

using kv3::Language;

// ---------------------------------------------------------------- markup

enum class BlockKind { Paragraph, Literal, List };

struct Block {
  BlockKind kind;
  std::vector<std::string> lines;  // a paragraph: one entry; a list: one per item
};

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Paragraphs separated by an empty line; lines indented by two blanks are an
// example shown as it is; lines starting with "- " are list items.
std::vector<Block> ParseBlocks(const std::string& text) {
  std::vector<Block> blocks;
  std::vector<std::string> group;
  auto flush = [&] {
    if (group.empty()) return;
    if (group.front().rfind("  ", 0) == 0) {
      Block b{BlockKind::Literal, {}};
      for (const auto& l : group) b.lines.push_back(l.size() >= 2 ? l.substr(2) : "");
      blocks.push_back(b);
    } else if (group.front().rfind("- ", 0) == 0) {
      Block b{BlockKind::List, {}};
      for (const auto& l : group) {
        if (l.rfind("- ", 0) == 0 || b.lines.empty())
          b.lines.push_back(l.rfind("- ", 0) == 0 ? l.substr(2) : l);
        else
          b.lines.back() += " " + l;
      }
      blocks.push_back(b);
    } else {
      std::string joined;
      for (const auto& l : group) joined += (joined.empty() ? "" : " ") + l;
      blocks.push_back({BlockKind::Paragraph, {joined}});
    }
    group.clear();
  };
  for (const auto& line : SplitLines(text)) {
    if (line.empty())
      flush();
    else
      group.push_back(line);
  }
  flush();
  return blocks;
}

// A text cut at its `code` marks: even pieces are prose, odd pieces code.
std::vector<std::string> CodePieces(const std::string& text) {
  std::vector<std::string> pieces(1);
  for (char c : text) {
    if (c == '`')
      pieces.emplace_back();
    else
      pieces.back() += c;
  }
  return pieces;
}

std::string WithoutMarks(const std::string& text) {
  std::string s;
  for (const auto& p : CodePieces(text)) s += p;
  return s;
}

std::string Capitalized(std::string s) {
  if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
  return s;
}

// A one-line text as a sentence: capital letter and full stop.
std::string Sentence(const std::string& s, Language lang) {
  return Capitalized(s) + (lang == Language::English ? "." : "。");
}

std::vector<std::string> Words(const char* list) {
  std::vector<std::string> words;
  std::istringstream in(list);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// ---------------------------------------------------------------- synopsis

struct SynopsisItem {
  const OptionHelp* option = nullptr;      // an option ...
  const ArgumentHelp* argument = nullptr;  // ... or an argument
  bool optional = false;
  bool repeated = false;
};

std::vector<SynopsisItem> SynopsisItems(const CommandHelp& c) {
  std::vector<SynopsisItem> items;
  for (const auto& a : c.arguments) items.push_back({nullptr, &a, a.optional, false});
  for (const auto& o : c.options)
    if (o.required) items.push_back({&o, nullptr, false, o.repeatable});
  for (const auto& o : c.options)
    if (!o.required) items.push_back({&o, nullptr, true, o.repeatable});
  return items;
}

// One item of the synopsis, each piece wrapped by its kind: a name typed as
// it is (literal), or a placeholder for what the user gives (value).
template <typename Literal, typename Value>
std::string ItemText(const SynopsisItem& item, Literal literal, Value value) {
  std::string piece;
  if (item.argument) {
    piece = value(item.argument->name);
  } else {
    piece = literal(item.option->name);
    if (item.option->value) piece += " " + value(item.option->value);
  }
  if (item.optional) piece = "[" + piece + "]";
  if (item.repeated) piece += "...";
  return piece;
}

template <typename Literal, typename Value>
std::string FormatSynopsis(const CommandHelp& c, Literal literal, Value value) {
  std::string s = literal(std::string("kv3ctl ") + c.name);
  for (const auto& item : SynopsisItems(c)) s += " " + ItemText(item, literal, value);
  return s;
}

std::string OptionTitle(const OptionHelp& o) {
  std::string s = o.name;
  if (std::string_view(o.name) == "--help") s = "-h, --help";
  if (o.value) s += std::string(" ") + o.value;
  return s;
}

// ---------------------------------------------------------------- headings

struct Headings {
  HelpText usage{"Usage:", "用法："};
  HelpText commands{"Commands", "命令"};
  HelpText options{"Options", "选项"};
  HelpText exitCodes{"Exit codes", "退出码"};
  HelpText exitStatus{"Exit status", "退出状态"};
  HelpText programOptions{"Options of kv3ctl", "kv3ctl 的选项"};
  HelpText commonOptions{"Every command also takes", "每个命令还接受"};
  HelpText more{
      "Run 'kv3ctl help COMMAND' for the options of a command, and 'man kv3ctl' for "
      "the whole manual.",
      "运行 'kv3ctl help COMMAND' 查看某个命令的选项，运行 'man kv3ctl' 查看完整手册。"};
  HelpText description{"Description", "说明"};
  HelpText synopsis{"Synopsis", "概要"};
  HelpText seeAlso{"See also", "另见"};
  HelpText name{"Name", "名称"};
};
const Headings kHeadings;

// ---------------------------------------------------------------- text

// Columns a character takes on a terminal: East Asian wide characters two.
size_t CharWidth(uint32_t cp) {
  bool wide = (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
              (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
              (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
              (cp >= 0xFFE0 && cp <= 0xFFE6);
  return wide ? 2 : 1;
}

// The UTF-8 characters of a text with their code points.
struct Glyph {
  std::string bytes;
  uint32_t cp;
};

std::vector<Glyph> Glyphs(const std::string& s) {
  std::vector<Glyph> glyphs;
  for (size_t i = 0; i < s.size();) {
    auto c = static_cast<unsigned char>(s[i]);
    size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    len = std::min(len, s.size() - i);
    uint32_t cp = len == 1 ? c : c & (0x3F >> (len - 1));
    for (size_t k = 1; k < len; ++k) cp = cp << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    glyphs.push_back({s.substr(i, len), cp});
    i += len;
  }
  return glyphs;
}

size_t Width(const std::string& s) {
  size_t w = 0;
  for (const auto& g : Glyphs(s)) w += CharWidth(g.cp);
  return w;
}

// A piece of text that a line break never splits.
struct Unit {
  std::string text;
  size_t width;
  bool spaceBefore;
};

// Lines of at most `width` columns, each after `indent` blanks; the first line
// continues one that already holds `firstUsed` columns (npos: a new line).
std::string Layout(const std::vector<Unit>& units, size_t indent, size_t width, size_t firstUsed) {
  std::string out;
  size_t used = firstUsed == std::string::npos ? indent : firstUsed;
  if (firstUsed == std::string::npos) out = std::string(indent, ' ');
  bool lineEmpty = true;
  for (const auto& u : units) {
    size_t need = u.width + (lineEmpty || !u.spaceBefore ? 0 : 1);
    if (!lineEmpty && used + need > width) {
      out += "\n" + std::string(indent, ' ');
      used = indent;
      lineEmpty = true;
      need = u.width;
    }
    if (!lineEmpty && u.spaceBefore) out += " ";
    out += u.text;
    used += need;
    lineEmpty = false;
  }
  return out + "\n";
}

// Breaks a text at blanks, and between two wide characters (Chinese has no
// blanks); Chinese punctuation stays with the character before it.
std::string Wrap(const std::string& text, size_t indent, size_t width = 79,
                 size_t firstUsed = std::string::npos) {
  std::vector<Unit> units;
  bool space = false;
  for (const auto& g : Glyphs(text)) {
    if (g.bytes == " ") {
      space = true;
      continue;
    }
    bool wide = CharWidth(g.cp) == 2;
    bool attach = wide && g.cp >= 0x3000 && g.cp <= 0x303F;
    attach = attach || (wide && g.cp >= 0xFF00 && g.cp <= 0xFF60 && g.cp != 0xFF08);
    if (!units.empty() && !space &&
        (attach || (!wide && CharWidth(Glyphs(units.back().text).back().cp) == 1))) {
      units.back().text += g.bytes;
      units.back().width += CharWidth(g.cp);
    } else {
      units.push_back({g.bytes, CharWidth(g.cp), space});
    }
    space = false;
  }
  return Layout(units, indent, width, firstUsed);
}

std::string TextBlocks(const std::string& text, size_t indent) {
  std::string out;
  bool first = true;
  for (const auto& b : ParseBlocks(text)) {
    if (!first) out += "\n";
    first = false;
    switch (b.kind) {
      case BlockKind::Paragraph:
        out += Wrap(WithoutMarks(b.lines[0]), indent);
        break;
      case BlockKind::Literal:
        for (const auto& l : b.lines) out += std::string(indent + 2, ' ') + l + "\n";
        break;
      case BlockKind::List:
        for (const auto& item : b.lines) {
          std::string wrapped = Wrap(WithoutMarks(item), indent + 2);
          out += std::string(indent, ' ') + "- " + wrapped.substr(indent + 2);
        }
        break;
    }
  }
  return out;
}

// "  NAME   help" rows; a name too wide for the column puts its help below.
std::string TextTable(const std::vector<std::pair<std::string, std::string>>& rows) {
  size_t column = 0;
  for (const auto& [name, help] : rows) column = std::max(column, Width(name));
  column = std::min<size_t>(column, 22) + 4;
  std::string out;
  for (const auto& [name, help] : rows) {
    std::string head = "  " + name;
    if (Width(head) + 2 > column) {
      out += head + "\n" + Wrap(help, column);
    } else {
      out += head + std::string(column - Width(head), ' ');
      out += Wrap(help, column, 79, column);
    }
  }
  return out;
}

std::string OptionRows(const std::vector<OptionHelp>& options, Language lang,
                       std::vector<std::pair<std::string, std::string>> rows = {}) {
  for (const auto& o : options) rows.emplace_back(OptionTitle(o), WithoutMarks(Say(o.help, lang)));
  return TextTable(rows);
}

std::string ExitRows(const std::vector<ExitCodeHelp>& codes, Language lang) {
  std::vector<std::pair<std::string, std::string>> rows;
  for (const auto& e : codes) rows.emplace_back(std::to_string(e.code), Say(e.meaning, lang));
  return TextTable(rows);
}

std::string PlainSynopsis(const CommandHelp& c) {
  auto same = [](const std::string& s) { return s; };
  return FormatSynopsis(c, same, same);
}

// The synopsis broken only between its items ("[--lang L]" stays whole).
std::string WrapSynopsis(const CommandHelp& c, bool withProgram, size_t indent, size_t firstUsed) {
  std::vector<Unit> units;
  if (withProgram) units.push_back({"kv3ctl", 6, true});
  units.push_back({c.name, Width(c.name), true});
  auto same = [](const std::string& s) { return s; };
  for (const auto& item : SynopsisItems(c)) {
    std::string piece = ItemText(item, same, same);
    units.push_back({piece, Width(piece), true});
  }
  return Layout(units, indent, 79, firstUsed);
}

std::string CommandText(const CommandHelp& c, Language lang) {
  const Reference& r = CommandReference();
  std::string out = Say(kHeadings.usage, lang) + " ";
  out += WrapSynopsis(c, true, 8, Width(out)) + "\n";
  out += Wrap(Sentence(Say(c.summary, lang), lang), 0) + "\n";
  out += TextBlocks(Say(c.description, lang), 0) + "\n";
  out += Say(kHeadings.options, lang) + (lang == Language::English ? ":\n" : "：\n");
  std::vector<OptionHelp> all = c.options;
  all.insert(all.end(), r.commonOptions.begin(), r.commonOptions.end());
  out += OptionRows(all, lang) + "\n";
  out += Say(kHeadings.exitCodes, lang) + (lang == Language::English ? ":\n" : "：\n");
  out += ExitRows(c.exitCodes, lang);
  return out;
}

std::string OverviewText(Language lang) {
  const Reference& r = CommandReference();
  const char* colon = lang == Language::English ? ":\n" : "：\n";
  std::string usage = Say(kHeadings.usage, lang);
  std::string pad(Width(usage), ' ');
  std::string out = usage + " kv3ctl COMMAND [ARGUMENT]... [OPTION]...\n" + pad +
                    " kv3ctl help [COMMAND]\n" + pad + " kv3ctl --version\n\n";
  out += Wrap(Sentence(Say(r.summary, lang), lang), 0) + "\n";
  out += Say(kHeadings.commands, lang) + colon;
  for (const auto& c : r.commands) {
    out += "  " + WrapSynopsis(c, false, 6, 2);
    out += Wrap(Say(c.summary, lang), 6);
  }
  out += "\n" + Say(kHeadings.programOptions, lang) + colon + OptionRows(r.programOptions, lang);
  out += "\n" + Say(kHeadings.exitCodes, lang) + colon + ExitRows(r.exitCodes, lang);
  out += "\n" + Wrap(Say(kHeadings.more, lang), 0);
  return out;
}

// ---------------------------------------------------------------- man

// Roff text: backslashes, hyphens as minus signs (so that options can be
// copied and searched), straight apostrophes, and no control character at
// the start of a line.
std::string Roff(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\\')
      out += "\\e";
    else if (c == '-')
      out += "\\-";
    else if (c == '\'')
      out += "\\(aq";
    else
      out += c;
  }
  if (!out.empty() && out[0] == '.') out.insert(0, "\\&");
  return out;
}

std::string RoffInline(const std::string& text) {
  std::string out;
  auto pieces = CodePieces(text);
  for (size_t i = 0; i < pieces.size(); ++i)
    out += i % 2 ? "\\fB" + Roff(pieces[i]) + "\\fR" : Roff(pieces[i]);
  if (out.rfind("\\&", 0) != 0 && !out.empty() && out[0] == '.') out.insert(0, "\\&");
  return out;
}

std::string RoffBlocks(const std::string& text) {
  std::string out;
  bool first = true;
  for (const auto& b : ParseBlocks(text)) {
    switch (b.kind) {
      case BlockKind::Paragraph:
        out += (first ? "" : ".PP\n") + RoffInline(b.lines[0]) + "\n";
        break;
      case BlockKind::Literal:
        out += ".PP\n.RS 4\n.nf\n";
        for (const auto& l : b.lines) out += "\\&" + Roff(l) + "\n";
        out += ".fi\n.RE\n";
        break;
      case BlockKind::List:
        for (const auto& item : b.lines) out += ".IP \\(bu 2\n" + RoffInline(item) + "\n";
        break;
    }
    first = false;
  }
  return out;
}

std::string RoffSynopsis(const CommandHelp& c) {
  return FormatSynopsis(
      c, [](const std::string& s) { return "\\fB" + Roff(s) + "\\fR"; },
      [](const std::string& s) { return "\\fI" + Roff(s) + "\\fR"; });
}

std::string RoffOption(const OptionHelp& o, Language lang) {
  std::string title = "\\fB" + Roff(o.name) + "\\fR";
  if (std::string_view(o.name) == "--help") title = "\\fB\\-h\\fR, " + title;
  if (o.value) title += " \\fI" + Roff(o.value) + "\\fR";
  return ".TP\n" + title + "\n" + RoffInline(Say(o.help, lang)) + "\n";
}

std::string RoffExitCodes(const std::vector<ExitCodeHelp>& codes, Language lang) {
  std::string out;
  for (const auto& e : codes)
    out += ".TP\n.B " + std::to_string(e.code) + "\n" + RoffInline(Say(e.meaning, lang)) + "\n";
  return out;
}

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

std::string RoffCommand(const CommandHelp& c, Language lang) {
  const Reference& r = CommandReference();
  std::string out = ".SS \"" + Roff(std::string("kv3ctl ") + c.name) + "\"\n";
  out += RoffSynopsis(c) + "\n.PP\n" + RoffInline(Sentence(Say(c.summary, lang), lang)) + "\n";
  out += ".PP\n" + RoffBlocks(Say(c.description, lang));
  for (const auto& o : c.options) out += RoffOption(o, lang);
  for (const auto& o : r.commonOptions) out += RoffOption(o, lang);
  out += ".PP\n" + Roff(Say(kHeadings.exitCodes, lang)) + (lang == Language::English ? ":" : "：");
  out += "\n.RS\n.PD 0\n" + RoffExitCodes(c.exitCodes, lang) + ".PD\n.RE\n";
  return out;
}

std::string ManPage(Language lang, const CommandHelp* only) {
  const Reference& r = CommandReference();
  std::string out = ".\\\" The manual page of kv3ctl, made by `kv3ctl help --format=man`.\n";
  out += ".TH KV3CTL 1 " + std::string(kv3::kReleaseDate) + " \"kv3 " + kv3::kProgramVersion +
         "\" \"User Commands\"\n";
  // Options and paths read best unhyphenated and ragged right.
  out += ".nh\n.ad l\n";
  out += ".SH " + Upper(Say(kHeadings.name, lang)) + "\nkv3ctl \\- " + Roff(Say(r.summary, lang)) +
         "\n";
  out += ".SH " + Upper(Say(kHeadings.synopsis, lang)) + "\n";
  if (only) {
    out += RoffSynopsis(*only) + "\n";
  } else {
    out += "\\fBkv3ctl\\fR \\fICOMMAND\\fR [\\fIARGUMENT\\fR]... [\\fIOPTION\\fR]...\n.br\n";
    out += "\\fBkv3ctl help\\fR [\\fICOMMAND\\fR]\n.br\n\\fBkv3ctl \\-\\-version\\fR\n";
    out += ".SH " + Upper(Say(kHeadings.description, lang)) + "\n" +
           RoffBlocks(Say(r.description, lang));
    out += ".SH " + Upper(Say(kHeadings.options, lang)) + "\n";
    for (const auto& o : r.programOptions) out += RoffOption(o, lang);
  }
  out += ".SH " + Upper(Say(kHeadings.commands, lang)) + "\n";
  for (const auto& c : r.commands)
    if (!only || only == &c) out += RoffCommand(c, lang);
  if (only) return out;
  for (const auto& s : r.sections)
    out += ".SH " + Upper(Say(s.title, lang)) + "\n" + RoffBlocks(Say(s.body, lang));
  out += ".SH " + Upper(Say(kHeadings.exitStatus, lang)) + "\n" + RoffExitCodes(r.exitCodes, lang);
  out += ".SH " + Upper(Say(kHeadings.seeAlso, lang)) +
         "\n.BR kv3\\-programmer (1),\n.BR kv3\\-radio\\-sim (1)\n";
  return out;
}

// ---------------------------------------------------------------- html

std::string Html(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string HtmlInline(const std::string& text) {
  std::string out;
  auto pieces = CodePieces(text);
  for (size_t i = 0; i < pieces.size(); ++i)
    out += i % 2 ? "<code>" + Html(pieces[i]) + "</code>" : Html(pieces[i]);
  return out;
}

std::string HtmlBlocks(const std::string& text) {
  std::string out;
  for (const auto& b : ParseBlocks(text)) {
    switch (b.kind) {
      case BlockKind::Paragraph:
        out += "<p>" + HtmlInline(b.lines[0]) + "</p>\n";
        break;
      case BlockKind::Literal: {
        out += "<pre>";
        for (size_t i = 0; i < b.lines.size(); ++i) out += (i ? "\n" : "") + Html(b.lines[i]);
        out += "</pre>\n";
        break;
      }
      case BlockKind::List:
        out += "<ul>\n";
        for (const auto& item : b.lines) out += "<li>" + HtmlInline(item) + "</li>\n";
        out += "</ul>\n";
        break;
    }
  }
  return out;
}

std::string HtmlOptions(const std::vector<OptionHelp>& options, Language lang) {
  std::string out = "<dl class=\"options\">\n";
  for (const auto& o : options) {
    std::string title = "<code>" + Html(o.name) + "</code>";
    if (std::string_view(o.name) == "--help") title = "<code>-h</code>, " + title;
    if (o.value) title += " <var>" + Html(o.value) + "</var>";
    out += "<dt>" + title + "</dt><dd>" + HtmlInline(Say(o.help, lang)) + "</dd>\n";
  }
  return out + "</dl>\n";
}

std::string HtmlExitCodes(const std::vector<ExitCodeHelp>& codes, Language lang) {
  std::string out = "<dl class=\"exit-codes\">\n";
  for (const auto& e : codes)
    out += "<dt>" + std::to_string(e.code) + "</dt><dd>" + HtmlInline(Say(e.meaning, lang)) +
           "</dd>\n";
  return out + "</dl>\n";
}

std::string HtmlCommand(const CommandHelp& c, Language lang) {
  const Reference& r = CommandReference();
  std::string out = "<section class=\"command\" id=\"kv3ctl-" + std::string(c.name) + "\">\n";
  out += "<h2><code>kv3ctl " + Html(c.name) + "</code></h2>\n";
  out += "<p class=\"synopsis\"><code>" +
         FormatSynopsis(
             c, [](const std::string& s) { return Html(s); },
             [](const std::string& s) { return "<var>" + Html(s) + "</var>"; }) +
         "</code></p>\n";
  out += "<p class=\"summary\">" + HtmlInline(Sentence(Say(c.summary, lang), lang)) + "</p>\n";
  out += HtmlBlocks(Say(c.description, lang));
  std::vector<OptionHelp> all = c.options;
  all.insert(all.end(), r.commonOptions.begin(), r.commonOptions.end());
  out += "<h3>" + Html(Say(kHeadings.options, lang)) + "</h3>\n" + HtmlOptions(all, lang);
  out +=
      "<h3>" + Html(Say(kHeadings.exitCodes, lang)) + "</h3>\n" + HtmlExitCodes(c.exitCodes, lang);
  return out + "</section>\n";
}

std::string HtmlReference(Language lang, const CommandHelp* only) {
  const Reference& r = CommandReference();
  std::string out = "<!-- kv3ctl " + std::string(kv3::kProgramVersion) +
                    ": made by `kv3ctl help --format=html` -->\n";
  if (only) return out + HtmlCommand(*only, lang);
  out += "<section class=\"overview\" id=\"kv3ctl\">\n<h2><code>kv3ctl</code></h2>\n";
  out += "<p class=\"summary\">" + HtmlInline(Sentence(Say(r.summary, lang), lang)) + "</p>\n";
  out += HtmlBlocks(Say(r.description, lang));
  out += "<h3>" + Html(Say(kHeadings.commands, lang)) + "</h3>\n<dl class=\"commands\">\n";
  for (const auto& c : r.commands)
    out += "<dt><a href=\"#kv3ctl-" + std::string(c.name) + "\"><code>kv3ctl " + Html(c.name) +
           "</code></a></dt><dd>" + HtmlInline(Say(c.summary, lang)) + "</dd>\n";
  out += "</dl>\n<h3>" + Html(Say(kHeadings.programOptions, lang)) + "</h3>\n" +
         HtmlOptions(r.programOptions, lang) + "</section>\n";
  for (const auto& c : r.commands) out += HtmlCommand(c, lang);
  for (const auto& s : r.sections)
    out += "<section class=\"topic\">\n<h2>" + Html(Say(s.title, lang)) + "</h2>\n" +
           HtmlBlocks(Say(s.body, lang)) + "</section>\n";
  out += "<section class=\"topic\" id=\"kv3ctl-exit-codes\">\n<h2>" +
         Html(Say(kHeadings.exitCodes, lang)) + "</h2>\n" + HtmlExitCodes(r.exitCodes, lang) +
         "</section>\n";
  return out;
}

// ---------------------------------------------------------------- json

const char* KindName(ValueKind kind) {
  switch (kind) {
    case ValueKind::Codeplug:
      return "codeplug";
    case ValueKind::Table:
      return "table";
    case ValueKind::Export:
      return "export";
    case ValueKind::Port:
      return "port";
    case ValueKind::Choice:
      return "choice";
    case ValueKind::Command:
      return "command";
    default:
      return "text";
  }
}

nlohmann::ordered_json JsonOptions(const std::vector<OptionHelp>& options, Language lang) {
  auto list = nlohmann::ordered_json::array();
  for (const auto& o : options) {
    nlohmann::ordered_json j;
    j["name"] = o.name;
    if (std::string_view(o.name) == "--help") j["alias"] = "-h";
    j["value"] = o.value ? nlohmann::ordered_json(o.value) : nlohmann::ordered_json();
    j["kind"] = o.value ? KindName(o.kind) : "flag";
    if (o.kind == ValueKind::Choice) j["choices"] = Words(o.choices);
    j["help"] = Say(o.help, lang);
    j["required"] = o.required;
    j["repeatable"] = o.repeatable;
    list.push_back(j);
  }
  return list;
}

nlohmann::ordered_json JsonExitCodes(const std::vector<ExitCodeHelp>& codes, Language lang) {
  auto list = nlohmann::ordered_json::array();
  for (const auto& e : codes) list.push_back({{"code", e.code}, {"meaning", Say(e.meaning, lang)}});
  return list;
}

nlohmann::ordered_json JsonCommand(const CommandHelp& c, Language lang) {
  nlohmann::ordered_json j;
  j["name"] = c.name;
  j["synopsis"] = PlainSynopsis(c);
  j["summary"] = Say(c.summary, lang);
  j["description"] = Say(c.description, lang);
  auto arguments = nlohmann::ordered_json::array();
  for (const auto& a : c.arguments)
    arguments.push_back({{"name", a.name}, {"kind", KindName(a.kind)}, {"optional", a.optional}});
  j["arguments"] = arguments;
  j["options"] = JsonOptions(c.options, lang);
  j["exitCodes"] = JsonExitCodes(c.exitCodes, lang);
  return j;
}

std::string JsonReference(Language lang, const CommandHelp* only) {
  const Reference& r = CommandReference();
  if (only) return JsonCommand(*only, lang).dump(2) + "\n";
  nlohmann::ordered_json j;
  j["program"] = "kv3ctl";
  j["version"] = kv3::kProgramVersion;
  j["language"] = lang == Language::English       ? "en"
                  : lang == Language::Traditional ? "zh-Hant"
                                                  : "zh-Hans";
  j["markup"] =
      "texts: paragraphs separated by an empty line; lines indented by two blanks are an "
      "example; lines starting with \"- \" are list items; `backticks` mark what is typed";
  j["summary"] = Say(r.summary, lang);
  j["description"] = Say(r.description, lang);
  auto commands = nlohmann::ordered_json::array();
  for (const auto& c : r.commands) commands.push_back(JsonCommand(c, lang));
  j["commands"] = commands;
  j["programOptions"] = JsonOptions(r.programOptions, lang);
  j["commonOptions"] = JsonOptions(r.commonOptions, lang);
  auto sections = nlohmann::ordered_json::array();
  for (const auto& s : r.sections)
    sections.push_back({{"title", Say(s.title, lang)}, {"body", Say(s.body, lang)}});
  j["sections"] = sections;
  j["exitCodes"] = JsonExitCodes(r.exitCodes, lang);
  return j.dump(2) + "\n";
}

// ---------------------------------------------------------------- bash

// What the completion offers for a value of this kind ("" offers nothing).
std::string BashValues(ValueKind kind, const char* choices) {
  switch (kind) {
    case ValueKind::Codeplug:
      return "_filedir '@([Dd][Aa][Tt])'";
    case ValueKind::Table:
      return "_filedir '@([Cc][Ss][Vv]|[Jj][Ss][Oo][Nn])'";
    case ValueKind::Export:
      return "_filedir '@([Cc][Ss][Vv]|[Jj][Ss][Oo][Nn]|[Hh][Tt][Mm]|[Hh][Tt][Mm][Ll])'";
    case ValueKind::Port:
      return "_kv3ctl_ports";
    case ValueKind::Choice:
      return std::string("COMPREPLY=($(compgen -W '") + choices + "' -- \"$cur\"))";
    case ValueKind::Command: {
      std::string names;
      for (const auto& c : CommandReference().commands)
        names += (names.empty() ? "" : " ") + std::string(c.name);
      return "COMPREPLY=($(compgen -W '" + names + "' -- \"$cur\"))";
    }
    default:
      return "COMPREPLY=()";
  }
}

std::string BashCompletion() {
  const Reference& r = CommandReference();
  std::string names;
  for (const auto& c : r.commands) names += (names.empty() ? "" : " ") + std::string(c.name);
  std::string out =
      "# bash completion for kv3ctl, made by `kv3ctl help --format=bash` (kv3 " +
      std::string(kv3::kProgramVersion) +
      ").\n"
      "\n"
      "# The ports: COM1..COM20, the built-in simulated radio and the serial\n"
      "# devices present (a ttyS only when a driver is behind it).\n"
      "_kv3ctl_ports()\n"
      "{\n"
      "    local ports=\"sim\" n device\n"
      "    for ((n = 1; n <= 20; n++)); do ports+=\" COM$n\"; done\n"
      "    for device in /dev/serial/by-id/* /dev/ttyUSB* /dev/ttyACM* /dev/ttyS*; do\n"
      "        [[ -e $device ]] || continue\n"
      "        [[ $device == /dev/ttyS* && ! -e /sys/class/tty/${device#/dev/}/device ]] && "
      "continue\n"
      "        ports+=\" $device\"\n"
      "    done\n"
      "    COMPREPLY=($(compgen -W \"$ports\" -- \"$cur\"))\n"
      "}\n"
      "\n"
      "_kv3ctl()\n"
      "{\n"
      "    local cur prev words cword split\n"
      "    _init_completion -s || return\n"
      "\n"
      "    if ((cword == 1)); then\n"
      "        if [[ $cur == -* ]]; then\n"
      "            COMPREPLY=($(compgen -W '--help --version' -- \"$cur\"))\n"
      "        else\n"
      "            COMPREPLY=($(compgen -W '" +
      names +
      "' -- \"$cur\"))\n"
      "        fi\n"
      "        return\n"
      "    fi\n"
      "\n"
      "    case ${words[1]} in\n";
  for (const auto& c : r.commands) {
    out += "        " + std::string(c.name) + ")\n";
    out += "            case $prev in\n";
    for (const auto& o : c.options) {
      if (!o.value) continue;
      out += "                " + std::string(o.name) + ")\n                    " +
             BashValues(o.kind, o.choices) + "\n                    return\n" +
             "                    ;;\n";
    }
    out += "            esac\n            $split && return\n";
    if (!c.arguments.empty())
      out += "            if [[ $cur != -* ]]; then\n                " +
             BashValues(c.arguments.front().kind, "") +
             "\n                return\n            fi\n";
    std::string options;
    for (const auto& o : c.options) options += std::string(o.name) + " ";
    for (const auto& o : r.commonOptions) options += std::string(o.name) + " ";
    options.pop_back();
    out += "            COMPREPLY=($(compgen -W '" + options + "' -- \"$cur\"))\n";
    out += "            ;;\n";
  }
  out +=
      "    esac\n"
      "} &&\n"
      "    complete -F _kv3ctl kv3ctl\n";
  return out;
}

}  // namespace

std::string Synopsis(const CommandHelp& command) {
  return PlainSynopsis(command).substr(7);
}

bool ParseHelpFormat(std::string_view name, HelpFormat& format) {
  static const std::pair<std::string_view, HelpFormat> kFormats[] = {
      {"text", HelpFormat::Text}, {"man", HelpFormat::Man},   {"html", HelpFormat::Html},
      {"json", HelpFormat::Json}, {"bash", HelpFormat::Bash},
  };
  for (const auto& [n, f] : kFormats)
    if (n == name) {
      format = f;
      return true;
    }
  return false;
}

std::string RenderHelp(HelpFormat format, Language lang, const CommandHelp* command) {
  switch (format) {
    case HelpFormat::Man:
      return ManPage(lang, command);
    case HelpFormat::Html:
      return HtmlReference(lang, command);
    case HelpFormat::Json:
      return JsonReference(lang, command);
    case HelpFormat::Bash:
      return BashCompletion();
    default:
      return command ? CommandText(*command, lang) : OverviewText(lang);
  }
}

}  // namespace kv3ctl
