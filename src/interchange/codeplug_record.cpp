#include "interchange/codeplug_record.h"

#include <cstdio>

#include "codeplug/codeplug_view.h"
#include "editor/codeplug_fields.h"
#include "i18n/messages.h"
#include "i18n/texts.h"

namespace kv3 {

namespace {

// The length of the UTF-8 sequence starting at s[i], or 0 when it is none.
size_t SequenceLength(std::string_view s, size_t i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = byte(i);
  size_t len = 0;
  uint32_t cp = 0;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
    cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    cp = c & 0x07;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    cp = cp << 6 | (byte(i + k) & 0x3F);
  }
  // Overlong forms, surrogates and code points beyond U+10FFFF.
  if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
      (cp >= 0xD800 && cp <= 0xDFFF))
    return 0;
  return len;
}

std::string ControlEscape(unsigned code) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\x%02X", code);
  return buf;
}

const char* LanguageTag(Language lang) {
  switch (lang) {
    case Language::English:
      return "en";
    case Language::Traditional:
      return "zh-Hant";
    case Language::Simplified:
      break;
  }
  return "zh-Hans";
}

// The CJK face of the language first, so that a character shared by the
// scripts takes the form its readers expect.
const char* FontFamilies(Language lang) {
  switch (lang) {
    case Language::Traditional:
      return "\"Noto Sans CJK TC\", \"Noto Sans CJK SC\", sans-serif";
    case Language::English:
      return "\"DejaVu Sans\", \"Noto Sans CJK SC\", sans-serif";
    case Language::Simplified:
      break;
  }
  return "\"Noto Sans CJK SC\", \"Noto Sans CJK TC\", sans-serif";
}

// The page's style: on paper the margins of @page and a table header that
// repeats on every page; the widths fit the narrower A4 and the shorter
// Letter alike.
std::string Style(Language lang) {
  return std::string(
             "@page { margin: 14mm 12mm; }\n"
             "body { font-family: ") +
         FontFamilies(lang) +
         "; font-size: 9pt; color: #000; background: #fff; max-width: 186mm; }\n"
         "h1 { font-size: 14pt; margin: 0 0 6pt 0; }\n"
         "h2 { font-size: 11pt; margin: 10pt 0 3pt 0; page-break-after: avoid; "
         "break-after: avoid; }\n"
         "table { border-collapse: collapse; width: 100%; }\n"
         "th, td { border: 1px solid #777; padding: 1pt 4pt; text-align: left; "
         "vertical-align: top; }\n"
         "th { background-color: #e8e8e8; font-weight: bold; }\n"
         "td { white-space: pre-wrap; }\n"
         "thead { display: table-header-group; }\n"
         "tr { page-break-inside: avoid; break-inside: avoid; }\n";
}

// A cell; width (the first row's cells of a table give the columns' widths,
// as a browser and QTextDocument both take them) may be nullptr.
void Cell(std::string& out, const char* tag, const std::string& text, const std::string& key = {},
          const char* width = nullptr) {
  out += "<";
  out += tag;
  if (width) out += std::string(" width=\"") + width + "\"";
  if (!key.empty()) out += " data-key=\"" + HtmlEscape(key) + "\"";
  out += ">" + HtmlEscape(text) + "</" + tag + ">";
}

void ChannelTable(std::string& out, const CodeplugView& view, Language lang) {
  out += "<h2>" + HtmlEscape(Localize(record::kChannels, lang)) + "</h2>\n";
  out += "<table class=\"channels\" width=\"100%\">\n<thead><tr>";
  for (const std::string& header : view.gridHeaders) Cell(out, "th", header);
  out += "</tr></thead>\n<tbody>\n";
  for (size_t r = 0; r < view.grid.size(); ++r) {
    out += "<tr>";
    for (int c = 0; c < 9; ++c)
      Cell(out, "td", view.grid[r][c],
           "channels." + std::to_string(r + 1) + "." + GridColumnKey(c));
    out += "</tr>\n";
  }
  out += "</tbody>\n</table>\n";
}

// A section's fields two to a row: caption, value, caption, value (a test
// channel's receive and transmit frequency side by side).
void SectionTable(std::string& out, const ViewSection& section) {
  out += "<h2>" + HtmlEscape(section.caption) + "</h2>\n";
  out += "<table class=\"fields\" width=\"100%\" data-section=\"" + HtmlEscape(section.key) +
         "\">\n<tbody>\n";
  for (size_t i = 0; i < section.fields.size(); i += 2) {
    out += "<tr>";
    for (size_t k = i; k < i + 2; ++k) {
      const bool first = i == 0;
      if (k < section.fields.size()) {
        const ViewField& f = section.fields[k];
        Cell(out, "th", f.caption, {}, first ? "30%" : nullptr);
        Cell(out, "td", f.value, section.key + "." + f.key, first ? "20%" : nullptr);
      } else {
        out += first ? "<th width=\"30%\"></th><td width=\"20%\"></td>" : "<th></th><td></td>";
      }
    }
    out += "</tr>\n";
  }
  out += "</tbody>\n</table>\n";
}

}  // namespace

std::string HtmlEscape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const size_t len = SequenceLength(s, i);
    if (len == 0) {
      out += "\xEF\xBF\xBD";  // U+FFFD
      ++i;
      continue;
    }
    if (len == 2 && c == 0xC2 && static_cast<unsigned char>(s[i + 1]) <= 0x9F) {
      out += ControlEscape(static_cast<unsigned char>(s[i + 1]));  // C1
    } else if (len > 1) {
      out.append(s.substr(i, len));
    } else if (c < 0x20 || c == 0x7F) {
      out += ControlEscape(c);
    } else if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (c == '\'') {
      out += "&#39;";
    } else {
      out.push_back(static_cast<char>(c));
    }
    i += len;
  }
  return out;
}

std::string RecordTime(const std::tm& local) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min);
  return buf;
}

std::string CodeplugRecordHtml(const EditorState& state, Language lang,
                               const RecordHeading& heading) {
  const CodeplugView view = MakeView(state, lang);
  const std::string title = std::string(kAppTitle) + " " + Localize(record::kTitle, lang);
  const std::string file = heading.file.empty() ? Localize(record::kNoFile, lang) : heading.file;

  std::string out = "<!DOCTYPE html>\n<html lang=\"";
  out += LanguageTag(lang);
  out += "\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + HtmlEscape(title) + " \u2013 " +
         HtmlEscape(file) + "</title>\n<style>\n" + Style(lang) + "</style>\n</head>\n<body>\n";
  out += "<h1>" + HtmlEscape(title) + "</h1>\n";
  out += "<table class=\"heading\" width=\"100%\">\n<tbody>\n<tr>";
  Cell(out, "th", Localize(record::kFile, lang), {}, "20%");
  Cell(out, "td", file, "file");
  out += "</tr>\n<tr>";
  Cell(out, "th", Localize(record::kTime, lang));
  Cell(out, "td", heading.time, "time");
  out += "</tr>\n</tbody>\n</table>\n";

  ChannelTable(out, view, lang);
  for (const ViewSection& section : view.sections) SectionTable(out, section);
  out += "</body>\n</html>\n";
  return out;
}

}  // namespace kv3
