// The texts of the editor's lists and captions, Simplified and English.
// Traditional Chinese is made from the Simplified texts (Localize).
#pragma once

#include <array>
#include <string>

#include "i18n/language.h"

namespace kv3 {

// Tone list entry 0.
inline constexpr Text2 kToneOff{"关闭", "Off"};

// The per-channel choice lists of grid columns 5..8 (Combo5(5..8)).
inline constexpr std::array<Text2, 2> kPowerList{{{"低", "Low"}, {"高", "Hight"}}};
inline constexpr std::array<Text2, 2> kForbidList{{{"关闭", "Off"}, {"载波", "Carrow"}}};
inline constexpr std::array<Text2, 2> kBandwidthList{{{"窄带", "Narrow"}, {"宽带", "Wide"}}};
inline constexpr std::array<Text2, 2> kScanList{{{"无", "No"}, {"有", "Have"}}};

// Grid1 header row.
inline constexpr std::array<Text2, 9> kGridHeaders{{
    {"信道", "Channel"},
    {"接收频率", "RX frequency"},
    {"亚音频", "QT/DQT"},
    {"发射频率", "TX frequency"},
    {"亚音频", "QT/DQT"},
    {"功率", "Power"},
    {"禁发", "Forbid"},
    {"宽\\窄带", "Band"},
    {"扫描添加", "Scan"},
}};

// The File menu's commands for other files, and the bar that offers back
// the unsaved edits an earlier run left.
inline constexpr Text2 kOpenRecent{"最近的文件(&R)", "Open Recent(&R)"};
inline constexpr Text2 kImportCommand{"导入(&I)…", "Import(&I)…"};
inline constexpr Text2 kExportCommand{"导出(&E)…", "Export(&E)…"};
inline constexpr Text2 kRecoveryText{"上次运行留下了未保存的修改。",
                                     "An earlier run left edits that were not saved."};
inline constexpr Text2 kRecoveryRestore{"恢复", "Restore"};
inline constexpr Text2 kRecoveryDiscard{"丢弃", "Discard"};

// Band frame and function settings frame.
inline constexpr Text2 kBandFrame{"机型选择", "Model"};
inline constexpr Text2 kBandLabel{"频段", "Channel"};
inline constexpr Text2 kSettingsFrame{"功能设置", "Function Set"};
inline constexpr Text2 kVoicePromptLabel{"语言通知", "Language:"};
inline constexpr Text2 kTxTimeoutLabel{"发射超时", "Time-out:"};
inline constexpr Text2 kPreAlertLabel{"发射超时预警", "Time-out Warn:"};
inline constexpr Text2 kSquelchLabel{"静噪等级", "Squelch Grade:"};
inline constexpr Text2 kBatterySaveLabel{"省电", "Battery Save:"};
inline constexpr Text2 kBeepLabel{"提示音", "Beep:"};

inline constexpr std::array<Text2, 3> kVoicePromptList{
    {{"关", "Off"}, {"中文", "Chinese"}, {"英文", "Englist"}}};
inline constexpr std::array<Text2, 2> kOffOnList{{{"禁止", "Off"}, {"使能", "On"}}};
inline constexpr int kTxTimeoutCount = 40;
inline constexpr int kPreAlertCount = 11;
inline constexpr int kSquelchCount = 10;

// Lists built by rule: " 秒" / " S" and " 级" / " Group".
std::string TxTimeoutEntry(int position, Language lang);  // 15 × (position + 1) seconds
std::string PreAlertEntry(int position, Language lang);   // "关闭", then 1..10 seconds
std::string SquelchEntry(int position, Language lang);    // grade 0..9

// The optional functions dialog (Form5).
namespace form5 {
inline constexpr Text2 kTitle{"可选功能", "Optional Function"};
inline constexpr Text2 kVoxFrame{"VOX", "VOX"};
inline constexpr Text2 kScanFrame{"扫描", "Scan"};
inline constexpr Text2 kCancelOperation{"取消操作", "Cancel operation"};      // Check3
inline constexpr Text2 kRxBlocksVox{"接收时禁止VOX", "Received banned VOX"};  // Check4
inline constexpr Text2 kVoxFunction{"VOX功能", "VOX Function"};               // Label8
inline constexpr Text2 kVoxGain{"VOX增益电平", "VOX GBIN"};                   // Label10
inline constexpr Text2 kVoxDelay{"VOX延迟时间", "VOX Delay time"};            // Label9
inline constexpr Text2 kVoxTone{"VOX可进行音调", "VOX volume control"};       // Label7
inline constexpr Text2 kPttId{"PTT ID", "PTT ID"};                            // Label4
inline constexpr Text2 kDuplicate{"复制", "Duplicate"};                       // Label11
inline constexpr Text2 kPriority{"优先", "Priority"};                         // Label14
inline constexpr Text2 kPriorityChannel{"优先信道", "Preferred channel"};     // Label15
inline constexpr Text2 kRetraceA{"回扫时间A", "Retrace Time A"};              // Label17
inline constexpr Text2 kRetraceB{"回扫时间B", "Retrace Time B"};              // Label16
inline constexpr Text2 kReturnChannel{"返回信道", "Return channel"};          // Label18
inline constexpr Text2 kScanRxDelay{"扫描接收恢复延时时间(秒)", "Scan receive delay time(S)"};
inline constexpr Text2 kScanTxDelay{"扫描发射恢复延时时间(秒)", "Scan launch delay time(S)"};

inline constexpr std::array<Text2, 3> kPttIdList{
    {{"发射开始", "Launch Start"}, {"发射结束", "Launch End"}, {"两者", "Both"}}};
// Combo7 (VOX gain): entry 0 is translated, 1..10 are the digits.
inline constexpr Text2 kVoxGainOff{"关闭", "Off"};
inline constexpr std::array<const char*, 6> kVoxDelayList{"0.3S", "0.5S", "1S", "1.5S", "2S", "3S"};
inline constexpr std::array<Text2, 3> kPriorityList{
    {{"无", "No"}, {"固定", "Fixed"}, {"选定", "Selected"}}};
inline constexpr Text2 kRetraceEmpty{"空", "Empty"};
inline constexpr int kRetraceCount = 92;
inline constexpr std::array<Text2, 4> kReturnChannelList{{{"选定", "Selected"},
                                                          {"选定+当前", "Selected+Current"},
                                                          {"优先", "priority"},
                                                          {"优先+当前", "priority+Current"}}};
// Combo13/Combo14 entry: "空", then 0.50 S .. 5.00 S.
std::string RetraceEntry(int position, Language lang);
std::string VoxGainEntry(int position, Language lang);

// The DTMF group has no English table: its texts are the same in every language.
inline constexpr const char* kDtmfRate = "DTMF 速率";
inline constexpr std::array<const char*, 4> kDtmfRateList{"6位", "8位", "10位", "15位"};
inline constexpr const char* kFirstDigitTime = "首位数码时间";
inline constexpr std::array<const char*, 4> kMsList{"OFF", "100MS", "500MS", "1000MS"};
inline constexpr const char* kFirstDigitDelay = "首位数码延迟";
inline constexpr const char* kStarHashTone = "*和#音";
inline constexpr const char* kDKey = "D键设定";
inline constexpr const char* kDtmfSideTone = "DTMF 侧音";
inline constexpr const char* kGroupCall = "组呼码";
inline constexpr std::array<const char*, 7> kGroupCallList{"关闭", "*", "#", "A", "B", "C", "D"};
inline constexpr const char* kAutoReset = "自动复位定时器";
inline constexpr const char* kAutoDialMemory = "自动拨号存储器";
std::string DKeyEntry(int position);       // "D码", "1秒" .. "16秒"
std::string AutoResetEntry(int position);  // "关闭", "1秒" .. "15秒"
}  // namespace form5

// The keys set dialog (Form6): twelve key functions.
namespace form6 {
inline constexpr Text2 kTitle{"键设定", "Keys Set"};
inline constexpr std::array<Text2, 12> kKeyFunctions{{
    {"自动拨号", "Automatic dial-up"},
    {"OFF", "OFF"},
    {"按键锁定", "Keys lock"},
    {"按键锁定及备份", "Key lock & backup"},
    {"监听", "Surveillance"},
    {"监听瞬时", "Surveillance instant"},
    {"扫描", "Scan"},
    {"扫描+暂时删除", "Scan & Delete temporary"},
    {"照明灯开关", "Floodlight switch"},
    {"取消静噪", "Cancel static noise"},
    {"瞬时取消静噪", "Instant cancel static noise"},
    {"暂时删除", "Delete temporary"},
}};
}  // namespace form6

// The power tuning dialog (Form2).
namespace form2 {
inline constexpr const char* kTitle = "Debug";
inline constexpr Text2 kHighFrame{"发射高功率", "TX-Hight Power"};
inline constexpr Text2 kLowFrame{"发射低功率", "TX-Low Power"};
inline constexpr Text2 kMin{"最小", "Low"};
inline constexpr Text2 kMax{"最大", "Hight"};
}  // namespace form2

// The menu item that opens the test frequencies dialog.
inline constexpr Text2 kTestFrequenciesTitle{"测试频率", "Debug frequency"};

// The test frequencies dialog (Form4).
namespace form4 {
inline constexpr const char* kTitle = "测试频率";
inline constexpr std::array<Text2, 3> kHeaders{
    {{"频道", "Channel"}, {"接收频率", "RX Frequency"}, {"发射频率", "TX Frequency"}}};
}  // namespace form4

// The embedded information dialog (Form7).
namespace form7 {
inline constexpr Text2 kTitle{"嵌入信息", "Embedded Information"};
}  // namespace form7

// The printed record of a codeplug (File menu: Print, Export PDF; kv3ctl
// export to .html): its title and the headings beside the file and the time.
namespace record {
inline constexpr Text2 kTitle{"写频记录", "Programming record"};
inline constexpr Text2 kFile{"文件", "File"};
inline constexpr Text2 kNoFile{"（未保存）", "(not saved)"};
inline constexpr Text2 kTime{"日期时间", "Date and time"};
inline constexpr Text2 kChannels{"信道列表", "Channels"};
}  // namespace record

inline constexpr Text2 kOk{"确定", "OK"};
inline constexpr Text2 kCancel{"取消", "Cancel"};
inline constexpr Text2 kClose{"关闭", "Close"};

// The backups window (File menu): every read and write kept, newest first.
namespace backups {
inline constexpr Text2 kMenuItem{"备份…", "Backups…"};
inline constexpr Text2 kTitle{"备份", "Backups"};
inline constexpr std::array<Text2, 5> kHeaders{{{"时间", "Time"},
                                                {"类型", "Kind"},
                                                {"频段", "Band"},
                                                {"信道数", "Channels"},
                                                {"嵌入信息", "Embedded information"}}};
inline constexpr Text2 kRead{"读频", "Read"};
inline constexpr Text2 kWrite{"写频", "Write"};
inline constexpr Text2 kUnreadable{"(无法读取)", "(unreadable)"};
inline constexpr Text2 kOpen{"打开", "Open"};
inline constexpr Text2 kCompare{"与编辑器比较", "Compare with the editor"};
inline constexpr Text2 kDelete{"删除", "Delete"};
inline constexpr Text2 kShowFolder{"显示文件夹", "Show folder"};
inline constexpr Text2 kNone{"还没有备份。每次读频和写频都会保存一个备份。",
                             "No backups yet. Every read and every write keeps one."};
}  // namespace backups

// The compare window: what differs between two codeplugs, field by field.
namespace compare {
inline constexpr Text2 kMenuItem{"与电台比较", "Compare with Radio"};
inline constexpr Text2 kTitle{"比较", "Compare"};
inline constexpr Text2 kWrite{"写频", "Write Frequency"};
inline constexpr Text2 kRadioToEditor{"电台 → 编辑器", "Radio → editor"};
inline constexpr Text2 kBackupToEditor{"备份 → 编辑器", "Backup → editor"};
inline constexpr Text2 kEqual{"没有不同之处。", "No differences."};
inline constexpr Text2 kDifferences{" 处不同", " differences"};
inline constexpr Text2 kOneDifference{" 处不同", " difference"};
}  // namespace compare

}  // namespace kv3
