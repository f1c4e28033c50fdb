#include "i18n/paste_reasons.h"

#include <optional>
#include <vector>

#include "i18n/traditional.h"

namespace kv3 {
namespace {

// English wording and its Simplified text; "{}" marks a part that varies,
// the same parts in the same order in both. A part that is itself a reason
// ("the transmit frequency 481.000 is {}") is put in the language too.
constexpr Text2 kReasons[] = {
    {"未选择信道", "no channel is selected"},
    {"文本中没有信道", "the text holds no channels"},
    {"此行放不下：信道 16 是最后一个信道，文本有 {} 行",
     "the row does not fit: channel 16 is the last one, and the text has {} rows"},
    {"不是 Off 或 On", "not Off or On"},
    {"文本为空", "the file is empty"},
    {"标题行中 {} 列出现了两次", "the column {} appears twice in the header"},
    {"标题行中没有 {} 列", "the header has no column {}"},
    {"文本中没有信道", "the file lists no channels"},
    {"第 {} 个字段在标题行中没有列名", "field {} has no column name in the header"},
    {"列表第 {} 行：对讲机只有 16 个信道", "row {} of the list: the radio has 16 channels"},
    {"不是 1 至 16 的信道号",
     "not a channel number 1 to 16 (--renumber takes the rows as channels 1, 2, ... in file "
     "order)"},
    {"信道 {} 已在第 {} 行", "channel {} is already on line {}"},
    {"不是以 MHz 为单位的频率", "not a frequency in MHz"},
    {"超出频段范围 {}", "outside the band {}"},
    {"不在 5 kHz 或 6.25 kHz 信道步进上（编辑器将存为 {}）",
     "not on the 5 kHz or 6.25 kHz channel raster (the editor would store {})"},
    {"不是对讲机能存储的频率", "not a frequency the radio can hold"},
    {"发射频率小于 0", "the transmit frequency is below 0"},
    {"发射频率 {}：{}", "the transmit frequency {} is {}"},
    {"不是 \"\"、+、-、split、off 之一", "not one of \"\", +, -, split, off"},
    {"双工方式 {} 需要 Offset 列", "the duplex {} needs the column Offset"},
    {"亚音频方式 {} 需要 {} 列", "the tone mode {} needs the column {}"},
    {"不是两个字母 N 或 R（先发射，后接收）", "not two letters N or R (transmit, then receive)"},
    {"不是以 Hz 为单位的 CTCSS 亚音频", "not a CTCSS tone in Hz"},
    {"超出 CTCSS 亚音频 67.0 至 254.1 Hz", "outside the CTCSS tones 67.0 to 254.1 Hz"},
    {"CTCSS 亚音频只有一位小数", "a CTCSS tone has one decimal"},
    {"不是三位八进制数字的 DCS 码", "not a DCS code of three octal digits"},
    {"不是 A->B 形式（A 和 B 各为 Tone、DTCS 或空）",
     "not A->B with A and B each Tone, DTCS or empty"},
    {"不是本机的亚音频方式（\"\"、Tone、TSQL、DTCS、Cross）",
     "not a tone mode of this radio (\"\", Tone, TSQL, DTCS, Cross)"},
    {"不是 FM 或 NFM", "not FM or NFM"},
    {"不是空或 S", "not empty or S"},
    {"不是 High、Low 或以瓦为单位的数值", "not High, Low or a figure in watts"},
    {"没有可接受的行", "no row was accepted"},
    {"引号字段没有闭合", "a quoted field is not closed"},
    {"字段的闭合引号后还有文字", "text after the closing quote of a field"},
    {"字段中有引号，但字段不以引号开头", "a quote inside a field that does not start with one"},
};

// The parts of `text` that fill the "{}" of `pattern`, or nullopt when the
// text is not of that pattern.
std::optional<std::vector<std::string>> Match(std::string_view pattern, std::string_view text) {
  std::vector<std::string_view> pieces;
  for (size_t at = 0;;) {
    const size_t hole = pattern.find("{}", at);
    pieces.push_back(pattern.substr(at, hole == std::string_view::npos ? hole : hole - at));
    if (hole == std::string_view::npos) break;
    at = hole + 2;
  }
  if (!text.starts_with(pieces.front())) return std::nullopt;
  if (pieces.size() == 1) {
    if (text != pieces.front()) return std::nullopt;
    return std::vector<std::string>{};
  }
  if (!text.ends_with(pieces.back()) || text.size() < pieces.front().size() + pieces.back().size())
    return std::nullopt;
  std::vector<std::string> parts;
  size_t at = pieces.front().size();
  const size_t end = text.size() - pieces.back().size();
  for (size_t k = 1; k + 1 < pieces.size(); ++k) {
    const size_t found = text.find(pieces[k], at);
    if (found == std::string_view::npos || found + pieces[k].size() > end) return std::nullopt;
    parts.emplace_back(text.substr(at, found - at));
    at = found + pieces[k].size();
  }
  parts.emplace_back(text.substr(at, end - at));
  return parts;
}

std::string Simplified(std::string_view english, int depth) {
  for (const Text2& reason : kReasons) {
    auto parts = Match(reason.en, english);
    if (!parts) continue;
    std::string out;
    std::string_view zh = reason.zh;
    size_t next = 0;
    for (size_t at = 0;;) {
      const size_t hole = zh.find("{}", at);
      out += zh.substr(at, hole == std::string_view::npos ? hole : hole - at);
      if (hole == std::string_view::npos) break;
      if (next < parts->size())
        out += depth < 2 ? Simplified((*parts)[next], depth + 1) : (*parts)[next];
      ++next;
      at = hole + 2;
    }
    return out;
  }
  return std::string(english);
}

}  // namespace

std::string PasteReasonText(std::string_view english, Language lang) {
  if (lang == Language::English) return std::string(english);
  const std::string zh = Simplified(english, 0);
  return lang == Language::Traditional ? ToTraditional(zh) : zh;
}

}  // namespace kv3
