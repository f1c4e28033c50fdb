// Every message the program shows, in Simplified Chinese and English.
// Traditional Chinese is the Simplified text converted (Localize).
#pragma once

#include <array>

#include "i18n/language.h"

namespace kv3 {

inline constexpr char kAppTitle[] = "KV-3(T2)";

namespace msg {
// Sessions with the radio.
inline constexpr Text2 kPortNotOpen{
    "通信端口未打开，请先选择菜单“通信端口”打开其串口！",
    "Communication port not open, please first selection menu 'communication port' to open its "
    "serial ports!"};
inline constexpr Text2 kCommunicating{"正在通信,请稍后……", "Is communication, please later……"};
inline constexpr Text2 kReadSuccess{"读频成功！", "Read frequency success!"};
inline constexpr Text2 kWriteSuccess{"写频成功！", "Write frequency success!"};
inline constexpr Text2 kBandMismatch{"频段不符，是否继续？",
                                     "Frequency band with discrepancies, do you wish to continue?"};
// A radio or a file whose band code is none of the band list's.
inline constexpr Text2 kUnknownBandCode{
    "频段代码未知：显示的频段不是对讲机的频段，写频前将先询问。",
    "Unknown band code: the band shown is not the radio's, and a write asks first."};
inline constexpr Text2 kCommError{
    "通信出错，请检查对讲机型号、故障、连线及计算机串口的选择！",
    "Communication error, please check the intercom model, fault, attachment and computer serial "
    "choice!"};

// Files.
inline constexpr Text2 kWrongFileType{"文件类型不对，无法打开。", "Document type not to open."};
inline constexpr Text2 kOverwrite{"该文件已存在，是否覆盖？",
                                  "This file already exists, whether to cover?"};
inline constexpr Text2 kNewWarning{"所有信道的数据将被清除！", "All channel data will be clear."};
inline constexpr Text2 kWarningTitle{"警告", "Warnning"};
inline constexpr Text2 kSaveFailed{"无法保存文件：", "The file could not be saved: "};
inline constexpr Text2 kBackupFailed{"无法保存读频备份：",
                                     "The backup of the read could not be saved: "};
inline constexpr Text2 kReadFailed{"无法读取文件：", "The file could not be read: "};
// Import and export of CSV channel lists and JSON codeplugs.
inline constexpr Text2 kImportFailed{"无法导入文件：", "The file could not be imported: "};
inline constexpr Text2 kImportRefused{"以下数值不被接受，没有导入任何内容：",
                                      "These values were refused; nothing was imported:"};
inline constexpr Text2 kTakeGoodRows{"是否导入其余正确的行，略去被拒绝的行？",
                                     "Import the good rows and leave out the refused ones?"};
inline constexpr Text2 kNotInterchange{"只能导入或导出 .csv 或 .json 文件。",
                                       "Only .csv and .json files can be imported or exported."};
inline constexpr Text2 kExportLeftOut{"以下信道的频率不是十进制数，未导出：",
                                      "These channels hold a frequency that is not a decimal "
                                      "number and were left out: "};
inline constexpr Text2 kWriteBackupFailed{"无法保存写频备份：",
                                          "The backup of the write could not be saved: "};
inline constexpr Text2 kDeleteBackup{"删除这个备份？删除后无法恢复。",
                                     "Delete this backup? It cannot be brought back."};
inline constexpr Text2 kDeleteBackupFailed{"无法删除备份：", "The backup could not be deleted: "};
inline constexpr Text2 kFolderNotOpened{"无法打开文件夹：", "The folder could not be opened: "};
// The printed record.
inline constexpr Text2 kPdfExportFailed{"无法导出 PDF：", "The PDF could not be exported: "};
inline constexpr Text2 kPrintFailed{"无法打印：", "The record could not be printed: "};

// Bands and frequencies.
inline constexpr Text2 kOutOfBand{"超出频段范围", "Beyond the frequency range"};
inline constexpr Text2 kBandChange{"改变频段将清除频道列表，确定吗？",
                                   "Change frequency channel list will remove, sure?"};
inline constexpr Text2 kAttentionTitle{"注意！", "Attention!"};

// Optional functions.
inline constexpr Text2 kFixedNeedsChannel{
    "当设定为‘固定’时信道不可为空，请重设！",
    "When set to 'fixed' channel not is empty, please reset!"};
inline constexpr Text2 kTipTitle{"提示", "Tip"};
inline constexpr Text2 kEmptyChannelChosen{"不可选择空信道，请重新选择！",
                                           "Do not choose empty channel, please choose again!"};

// Editing: the Edit menu and the grid's context menu.
inline constexpr Text2 kInsertRefused{"信道 16 已被使用，不能插入信道。",
                                      "Channel 16 is in use: no channel can be inserted."};
inline constexpr Text2 kPasteRefused{"粘贴被拒绝，没有任何更改：",
                                     "The paste was refused and nothing was changed:"};
inline constexpr Text2 kCopyLeftOut{"这些信道的频率不是十进制数字，没有复制：",
                                    "These channels hold a frequency that is not decimal and were "
                                    "not copied: "};
inline constexpr Text2 kBulkToneRefused{"不是有效的亚音频，没有任何更改。",
                                        "Not a QT/DQT tone: nothing was changed."};
}  // namespace msg

// Message box buttons, by the standard result codes.
enum class MessageButton { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

// The label of a message box button in a language (Traditional from its own
// column: "確定", "取消", "是", "否", "放棄", "忽略", "重試").
const char* ButtonLabel(MessageButton button, Language lang);

}  // namespace kv3
