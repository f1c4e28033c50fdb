#include "i18n/captions.h"

#include "i18n/texts.h"
#include "i18n/traditional.h"

namespace kv3 {

namespace {

class TableBuilder {
 public:
  explicit TableBuilder(std::vector<CaptionRow>& rows) : rows_(rows) {}
  TableBuilder& In(Window w) {
    window_ = w;
    return *this;
  }
  void Title(const char* zh, const char* en) {
    Add({window_, WindowName(window_), -1, CaptionKind::WindowTitle, -1}, zh, en);
  }
  void Caption(const char* control, const char* zh, const char* en) {
    Add({window_, control, -1, CaptionKind::Caption, -1}, zh, en);
  }
  // A caption the English table does not hold.
  void CaptionZhOnly(const char* control, const char* zh) {
    CaptionRow row;
    row.target.window = window_;
    row.target.control = control;
    row.zh = zh;
    row.hasEnglish = false;
    rows_.push_back(std::move(row));
  }
  void Entry(const char* control, int index, std::string zh, std::string en, int member = -1) {
    Add({window_, control, member, CaptionKind::ListEntry, index}, std::move(zh), std::move(en));
  }
  void Entries(const char* control, std::initializer_list<Text2> texts, int member = -1) {
    int i = 0;
    for (const Text2& t : texts) Entry(control, i++, t.zh, t.en, member);
  }
  void Header(const char* control, int column, const char* zh, const char* en) {
    Add({window_, control, -1, CaptionKind::GridHeader, column}, zh, en);
  }
  void Tip(int button, const char* zh, const char* en) {
    Add({window_, kToolbarName, -1, CaptionKind::ButtonTip, button}, zh, en);
  }

 private:
  void Add(CaptionTarget target, std::string zh, std::string en) {
    CaptionRow row;
    row.target = std::move(target);
    row.zh = std::move(zh);
    row.en = std::move(en);
    rows_.push_back(std::move(row));
  }
  std::vector<CaptionRow>& rows_;
  Window window_ = Window::Form1;
};

void MainWindow(TableBuilder& t) {
  t.In(Window::Form1);
  t.Title("凯维写频软件 V1.00", "KV-3(T2) Radio Software V1.00");
  t.Caption("mnuFile", "文件(&F)", "File(&F)");
  t.Caption("mnuNew", "新建(&N)", "New(&N)");
  t.Caption("mnuOpen", "打开(&O)", "Open(&O)");
  t.Caption("mnuAssave", "保存(&S)", "Save(&S)");
  t.Caption("mnuQuit", "退出(&Q)", "Quit(&Q)");
  t.Caption("mnupro", "编程(&P)", "Programming(&P)");
  t.Caption("mnureadFre", "读频(&R)", "Read Frequency(&R)");
  t.Caption("mnuwriteFre", "写频(&W)", "Write Frequency(&W)");
  t.Caption("mnudtmf", "可选功能", "Optional function ");
  t.Caption("Key_enactment", "键设定", "Keys set ");
  t.Caption("mnusetin", "嵌入信息", "Embedded information");
  t.Caption("mnudebug", "调试(&D)", "Debug(&D)");
  t.Caption("mnutestfre", "测试频率", "Debug frequency");
  t.Caption("mnuset", "设置(&S)", "Settings(&S)");
  t.Caption("mnulock", "锁定(&L)", "Lock(&L)");
  t.Caption("mnucom", "通信端口(&V)", "Communication port(&V)");
  t.Caption("mnuLanguage", "语言选择(&L)", "Languages(&L)");
  t.Caption("mnuChineseJ", "简体中文", "Chinese(Simplified)");
  t.Caption("mnuChineseF", "繁体中文", "Chinese(Traditional)");
  t.Caption("mnuEnglish", "英文", "Englist");
  t.Caption("mnuhelp", "帮助(&H)", "Help(&H)");
  t.Caption("mnumainhelp", "帮助主题  F1", "The help topic  F1 \"");
  t.Caption("mnuabout", "关于", "About");

  for (int c = 0; c < 9; ++c) t.Header("Grid1", c, kGridHeaders[c].zh, kGridHeaders[c].en);
  t.Tip(1, "新建", "New");
  t.Tip(2, "打开", "Open");
  t.Tip(3, "保存", "Save");
  t.Tip(5, "读频", "Read frequency");
  t.Tip(6, "写频", "Write frequency");
  t.Caption("Frame1", "机型选择", "Model");
  t.Caption("Frame2", "功能设置", "Function Set");
  t.CaptionZhOnly("Label2", "凯维对讲机");
  t.Caption("Label3", "频段", "Channel");
  t.Caption("Label4", "语言通知", "Language:");
  t.Caption("Label5", "发射超时", "Time-out:");
  t.Caption("Label1", "发射超时预警", "Time-out Warn:");
  t.Caption("Label6", "静噪等级", "Squelch Grade:");
  t.Caption("Label7", "省电", "Battery Save:");
  t.Caption("Label8", "提示音", "Beep:");

  t.Entry("Combo8", 0, "关闭", "Off");
  t.Entries("Combo5", {{"低", "Low"}, {"高", "Hight"}}, 5);
  t.Entries("Combo5", {{"关闭", "Off"}, {"载波", "Carrow"}}, 6);
  t.Entries("Combo5", {{"窄带", "Narrow"}, {"宽带", "Wide"}}, 7);
  t.Entries("Combo5", {{"无", "No"}, {"有", "Have"}}, 8);
  t.Entries("Combo2", {{"关", "Off"}, {"中文", "Chinese"}, {"英文", "Englist"}});
  for (int k = 0; k < kTxTimeoutCount; ++k)
    t.Entry("Combo3", k, TxTimeoutEntry(k, Language::Simplified),
            TxTimeoutEntry(k, Language::English));
  for (int k = 0; k < kPreAlertCount; ++k)
    t.Entry("Combo4", k, PreAlertEntry(k, Language::Simplified),
            PreAlertEntry(k, Language::English));
  for (int k = 0; k < kSquelchCount; ++k)
    t.Entry("Combo9", k, SquelchEntry(k, Language::Simplified), SquelchEntry(k, Language::English));
  t.Entries("Combo6", {{"禁止", "Off"}, {"使能", "On"}});
  t.Entries("Combo7", {{"禁止", "Off"}, {"使能", "On"}});
}

void Dialogs(TableBuilder& t) {
  t.In(Window::Form2);
  t.Caption("Frame1", "发射高功率", "TX-Hight Power");
  t.Caption("Frame2", "发射低功率", "TX-Low Power");
  t.Caption("Label3", "最小", "Low");
  t.Caption("Label6", "最小", "Low");
  t.Caption("Label7", "最大", "Hight");
  t.Caption("Label8", "最大", "Hight");
  t.Caption("Command1", "确定", "OK");

  t.In(Window::Form4);
  t.Header("mfgrid1", 0, "频道", "Channel");
  t.Header("mfgrid1", 1, "接收频率", "RX Frequency");
  t.Header("mfgrid1", 2, "发射频率", "TX Frequency");
  t.Caption("Command1", "确定", "OK");
  t.Caption("Command2", "取消", "Cancel");

  t.In(Window::Form5);
  t.Title("可选功能", "Optional Function");
  t.Caption("Frame2", "扫描", "Scan");
  t.Caption("Check3", "取消操作", "Cancel operation");
  t.Caption("Check4", "接收时禁止VOX", "Received banned VOX");
  t.Caption("Label8", "VOX功能", "VOX Function");
  t.Caption("Label10", "VOX增益电平", "VOX GBIN");
  t.Caption("Label9", "VOX延迟时间", "VOX Delay time");
  t.Caption("Label7", "VOX可进行音调", "VOX volume control");
  t.Caption("Label4", "PTT ID", "PTT ID");
  t.Caption("Label11", "复制", "Duplicate");
  t.Caption("Label14", "优先", "Priority");
  t.Caption("Label15", "优先信道", "Preferred channel");
  t.Caption("Label17", "回扫时间A", "Retrace Time A");
  t.Caption("Label16", "回扫时间B", "Retrace Time B");
  t.Caption("Label18", "返回信道", "Return channel");
  t.Caption("Label19", "扫描接收恢复延时时间(秒)", "Scan receive delay time(S)");
  t.Caption("Label20", "扫描发射恢复延时时间(秒)", "Scan launch delay time(S)");
  t.Caption("Command1", "确定", "OK");
  t.Caption("Command2", "取消", "Cancel");
  t.Entries("Combo4", {{"发射开始", "Launch Start"}, {"发射结束", "Launch End"}, {"两者", "Both"}});
  t.Entries("Combo6", {{"禁止", "Off"}, {"使能", "On"}});
  t.Entry("Combo7", 0, "关闭", "Off");
  t.Entries("Combo9", {{"禁止", "Off"}, {"使能", "On"}});
  t.Entries("Combo10", {{"禁止", "Off"}, {"使能", "On"}});
  t.Entries("Combo11", {{"无", "No"}, {"固定", "Fixed"}, {"选定", "Selected"}});
  t.Entry("Combo13", 0, "空", "Empty");
  t.Entry("Combo14", 0, "空", "Empty");
  t.Entries("Combo15", {{"选定", "Selected"},
                        {"选定+当前", "Selected+Current"},
                        {"优先", "priority"},
                        {"优先+当前", "priority+Current"}});

  t.In(Window::Form6);
  t.Title("键设定", "Keys Set");
  t.Caption("Command1", "确定", "OK");
  t.Caption("Command2", "取消", "Cancel");
  for (const char* combo : {"Combo1", "Combo2"})
    for (int k = 0; k < static_cast<int>(form6::kKeyFunctions.size()); ++k)
      t.Entry(combo, k, form6::kKeyFunctions[k].zh, form6::kKeyFunctions[k].en);

  t.In(Window::Form7);
  t.Title("嵌入信息", "Embedded Information");
  t.Caption("Command1", "确定", "OK");
  t.Caption("Command2", "取消", "Cancel");

  t.In(Window::frmAbout);
  t.Caption("lblTitle", "凯维写频软件", "KV-3(T2) Radio Software ");
  t.Caption("lblVersion", "简体中文版 V1.00", "English version V3.00");
  t.Caption("Label2", "发布：2012.10", "Issue：2012.10");
  t.CaptionZhOnly("lblDescription", "本软件由凯维开发");
  t.Caption("cmdOK", "确定", "OK");
}

}  // namespace

const char* WindowName(Window window) {
  switch (window) {
    case Window::Form1:
      return "Form1";
    case Window::Form2:
      return "Form2";
    case Window::Form4:
      return "Form4";
    case Window::Form5:
      return "Form5";
    case Window::Form6:
      return "Form6";
    case Window::Form7:
      return "Form7";
    case Window::frmAbout:
      break;
  }
  return "frmAbout";
}

std::string CaptionTarget::ObjectName() const {
  return member < 0 ? control : control + "_" + std::to_string(member);
}

const std::vector<CaptionRow>& CaptionTable() {
  static const std::vector<CaptionRow> kTable = [] {
    std::vector<CaptionRow> rows;
    TableBuilder builder(rows);
    MainWindow(builder);
    Dialogs(builder);
    return rows;
  }();
  return kTable;
}

std::vector<CaptionRow> CaptionRowsOf(Window window) {
  std::vector<CaptionRow> rows;
  for (const CaptionRow& row : CaptionTable())
    if (row.target.window == window) rows.push_back(row);
  return rows;
}

std::string CaptionText(const CaptionTarget& target, Language lang) {
  for (const CaptionRow& row : CaptionTable()) {
    if (!(row.target == target)) continue;
    switch (lang) {
      case Language::English:
        return row.hasEnglish ? row.en : std::string();
      case Language::Traditional:
        return ToTraditional(row.zh);
      case Language::Simplified:
        return row.zh;
    }
  }
  return {};
}

TraditionalConversion ConversionOfType(std::string_view typeName) {
  for (std::string_view t : {"Label", "OptionButton", "Menu", "Frame", "CommandButton", "CheckBox"})
    if (typeName == t) return TraditionalConversion::Caption;
  if (typeName == "Toolbar") return TraditionalConversion::ToolbarTooltip;
  if (typeName == "ComboBox") return TraditionalConversion::ListEntries;
  if (typeName == "VSFlexGrid" || typeName == "MSFlexGrid") return TraditionalConversion::HeaderRow;
  return TraditionalConversion::Nothing;
}

TraditionalConversion ConversionOfKind(CaptionKind kind) {
  switch (kind) {
    case CaptionKind::Caption:
      return TraditionalConversion::Caption;
    case CaptionKind::ListEntry:
      return TraditionalConversion::ListEntries;
    case CaptionKind::GridHeader:
      return TraditionalConversion::HeaderRow;
    case CaptionKind::WindowTitle:
    case CaptionKind::ButtonTip:
      break;
  }
  return TraditionalConversion::Nothing;
}

}  // namespace kv3
