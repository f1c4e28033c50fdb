// kv3-help-build: makes the manual as the program ships it, from docs/help.
//
//   kv3-help-build SOURCE OUT [KV3CTL]
//
// OUT gets a copy of SOURCE (the page style, the language chooser, the
// pictures and the Simplified Chinese and English pages); the Traditional
// Chinese pages are made from the Simplified ones with ToTraditional, the
// conversion of the program's own captions, so the two never differ; and the
// mark <!-- kv3ctl-reference --> in each language's command reference is
// replaced by kv3ctl's own help: `kv3ctl --help`, then `kv3ctl help COMMAND`
// for each command that --help lists under "Commands:" (a command whose help
// is only the general help gets no section of its own).
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "i18n/traditional.h"

namespace fs = std::filesystem;

namespace {

constexpr char kReferenceMark[] = "<!-- kv3ctl-reference -->";

bool ReadFile(const fs::path& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  text = s.str();
  return true;
}

bool WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out.flush());
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

std::string EscapeHtml(const std::string& text) {
  std::string out;
  for (char c : text) {
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
      default:
        out += c;
    }
  }
  return out;
}

// The standard output of a command line; false when it could not be run.
bool Capture(const std::string& command, std::string& output) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return false;
  output.clear();
  std::array<char, 4096> buffer{};
  size_t n = 0;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    output.append(buffer.data(), n);
  pclose(pipe);
  return !output.empty();
}

std::string ShellQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// The commands that the general help lists: lines "  NAME ..." after a line
// "Commands:", up to the next empty line.
std::vector<std::string> ListedCommands(const std::string& help) {
  std::vector<std::string> names;
  std::istringstream lines(help);
  std::string line;
  bool inList = false;
  while (std::getline(lines, line)) {
    if (!inList) {
      inList = line == "Commands:";
      continue;
    }
    if (line.empty()) break;
    if (line.size() < 3 || line[0] != ' ' || line[1] != ' ' || line[2] < 'a' || line[2] > 'z')
      continue;
    size_t end = 2;
    while (end < line.size() && line[end] != ' ') ++end;
    names.push_back(line.substr(2, end - 2));
  }
  return names;
}

// The reference section made from kv3ctl's help.
bool MakeReference(const std::string& kv3ctl, std::string& html) {
  std::string general;
  if (!Capture(ShellQuoted(kv3ctl) + " --help", general)) {
    std::cerr << "kv3-help-build: " << kv3ctl << " --help printed nothing\n";
    return false;
  }
  const std::vector<std::string> commands = ListedCommands(general);
  if (commands.empty()) {
    std::cerr << "kv3-help-build: " << kv3ctl << " --help lists no commands\n";
    return false;
  }
  html = "<h2 id=\"usage\"><code>kv3ctl --help</code></h2>\n<pre class=\"cli\">" +
         EscapeHtml(general) + "</pre>\n";
  std::string sections, index;
  for (const std::string& name : commands) {
    std::string own;
    if (!Capture(ShellQuoted(kv3ctl) + " help " + ShellQuoted(name) + " 2>/dev/null", own) ||
        own == general)
      continue;
    index += "<li><a href=\"#cmd-" + name + "\"><code>" + name + "</code></a></li>\n";
    sections += "<h2 id=\"cmd-" + name + "\"><code>kv3ctl help " + name + "</code></h2>\n" +
                "<pre class=\"cli\">" + EscapeHtml(own) + "</pre>\n";
  }
  if (!index.empty()) html = "<ul class=\"commands\">\n" + index + "</ul>\n" + html;
  html += sections;
  return true;
}

// Every text and tag of an HTML page converted on its own (ASCII stays as it
// is), so that a text the program shows converts exactly as in the program.
std::string PageToTraditional(const std::string& page) {
  std::string out;
  size_t at = 0;
  while (at < page.size()) {
    size_t end = page[at] == '<' ? page.find('>', at) : page.find('<', at);
    end = end == std::string::npos ? page.size() : (page[at] == '<' ? end + 1 : end);
    out += kv3::ToTraditional(std::string_view(page).substr(at, end - at));
    at = end;
  }
  ReplaceAll(out, "<html lang=\"zh-Hans\">", "<html lang=\"zh-Hant\">");
  ReplaceAll(out, "images/zh-Hans/", "images/zh-Hant/");
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::cerr << "usage: kv3-help-build SOURCE OUT [KV3CTL]\n";
    return 2;
  }
  const fs::path source = argv[1];
  const fs::path out = argv[2];
  const std::string kv3ctl = argc > 3 ? argv[3] : "";

  std::error_code ec;
  fs::remove_all(out, ec);
  fs::create_directories(out, ec);
  for (const char* name : {"index.html", "style.css", "images", "en", "zh-Hans"}) {
    fs::copy(source / name, out / name, fs::copy_options::recursive, ec);
    if (ec) {
      std::cerr << "kv3-help-build: cannot copy " << (source / name) << ": " << ec.message()
                << "\n";
      return 1;
    }
  }

  std::string reference;
  if (!kv3ctl.empty() && !MakeReference(kv3ctl, reference)) return 1;
  for (const char* lang : {"en", "zh-Hans"}) {
    for (const auto& entry : fs::directory_iterator(out / lang)) {
      if (entry.path().extension() != ".html") continue;
      std::string page;
      if (!ReadFile(entry.path(), page)) {
        std::cerr << "kv3-help-build: cannot read " << entry.path() << "\n";
        return 1;
      }
      if (!kv3ctl.empty() && page.find(kReferenceMark) != std::string::npos) {
        ReplaceAll(page, kReferenceMark, reference);
        if (!WriteFile(entry.path(), page)) return 1;
      }
      if (std::string(lang) == "zh-Hans") {
        fs::create_directories(out / "zh-Hant", ec);
        if (!WriteFile(out / "zh-Hant" / entry.path().filename(), PageToTraditional(page))) {
          std::cerr << "kv3-help-build: cannot write " << (out / "zh-Hant") << "\n";
          return 1;
        }
      }
    }
  }
  return 0;
}
