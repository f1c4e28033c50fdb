#include "i18n/captions.h"

#include "i18n/edit_texts.h"
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
  void Title(const Text2& text) { Title(text.zh, text.en); }
  void Caption(const char* control, const char* zh, const char* en) {
    Add({window_, control, -1, CaptionKind::Caption, -1}, zh, en);
  }
  void Caption(const char* control, const Text2& text) { Caption(control, text.zh, text.en); }
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
  void Entry(const char* control, int index, const Text2& text, int member = -1) {
    Entry(control, index, text.zh, text.en, member);
  }
  template <size_t N>
  void Entries(const char* control, const std::array<Text2, N>& texts, int member = -1) {
    for (size_t i = 0; i < N; ++i) Entry(control, static_cast<int>(i), texts[i], member);
  }
  void Header(const char* control, int column, const char* zh, const char* en) {
    Add({window_, control, -1, CaptionKind::GridHeader, column}, zh, en);
  }
  void Header(const char* control, int column, const Text2& text) {
    Header(control, column, text.zh, text.en);
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
  t.Caption("mnuOpenRecent", kOpenRecent);
  t.Caption("mnuImport", kImportCommand);
  t.Caption("mnuExport", kExportCommand);
  t.Caption("RecoveryText", kRecoveryText);
  t.Caption("RecoveryRestore", kRecoveryRestore);
  t.Caption("RecoveryDiscard", kRecoveryDiscard);
  t.Caption("mnuQuit", "退出(&Q)", "Quit(&Q)");
  t.Caption("mnuBackups", backups::kMenuItem);
  // The printed record of the codeplug (main_window_print.cpp).
  t.Caption("mnuPrint", "打印(&P)…", "Print(&P)…");
  t.Caption("mnuExportPdf", "导出 PDF(&D)…", "Export PDF(&D)…");
  t.Caption("mnuEdit", "编辑(&E)", "Edit(&E)");
  t.Caption("mnuUndo", kUndoVerb);
  t.Caption("mnuRedo", kRedoVerb);
  t.Caption("mnuCut", "剪切(&T)", "Cut(&T)");
  t.Caption("mnuCopy", "复制(&C)", "Copy(&C)");
  t.Caption("mnuPaste", "粘贴(&P)", "Paste(&P)");
  t.Caption("mnuDelete", "清除信道(&D)", "Delete(&D)");
  t.Caption("mnuInsert", "插入信道(&I)", "Insert channel(&I)");
  t.Caption("mnuRemove", "移除信道(&M)", "Remove channel(&M)");
  t.Caption("mnuMoveUp", "上移", "Move up");
  t.Caption("mnuMoveDown", "下移", "Move down");
  t.Caption("mnuSort", "按接收频率排序(&F)", "Sort by RX frequency(&F)");
  t.Caption("mnuSelectAll", "全选(&A)", "Select all(&A)");
  t.Caption("mnuBulk", "批量设置(&B)", "Set selected rows(&B)");
  t.Caption("mnuBulkPower", kGridHeaders[5]);
  t.Caption("mnuBulkForbid", kGridHeaders[6]);
  t.Caption("mnuBulkBandwidth", kGridHeaders[7]);
  t.Caption("mnuBulkScan", kGridHeaders[8]);
  for (int i = 0; i < 2; ++i) {
    t.Caption(kBulkChoiceNames[0][i], kPowerList[static_cast<size_t>(i)]);
    t.Caption(kBulkChoiceNames[1][i], kForbidList[static_cast<size_t>(i)]);
    t.Caption(kBulkChoiceNames[2][i], kBandwidthList[static_cast<size_t>(i)]);
    t.Caption(kBulkChoiceNames[3][i], kScanList[static_cast<size_t>(i)]);
  }
  t.Caption("mnuBulkRxTone", "接收亚音频…", "RX QT/DQT…");
  t.Caption("mnuBulkTxTone", "发射亚音频…", "TX QT/DQT…");
  t.Caption("mnuProblems", kProblemsListTitle);
  t.Caption("mnupro", "编程(&P)", "Programming(&P)");
  t.Caption("mnureadFre", "读频(&R)", "Read Frequency(&R)");
  t.Caption("mnuwriteFre", "写频(&W)", "Write Frequency(&W)");
  t.Caption("mnuCompareRadio", compare::kMenuItem);
  t.Caption("mnudtmf", "可选功能", "Optional function ");
  t.Caption("Key_enactment", "键设定", "Keys set ");
  t.Caption("mnusetin", "嵌入信息", "Embedded information");
  t.Caption("mnudebug", "调试(&D)", "Debug(&D)");
  t.Caption("mnutestfre", kTestFrequenciesTitle);
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

  for (int c = 0; c < 9; ++c) t.Header("Grid1", c, kGridHeaders[c]);
  t.Tip(1, "新建", "New");
  t.Tip(2, "打开", "Open");
  t.Tip(3, "保存", "Save");
  t.Tip(5, "读频", "Read frequency");
  t.Tip(6, "写频", "Write frequency");
  t.Caption("Frame1", kBandFrame);
  t.Caption("Frame2", kSettingsFrame);
  t.CaptionZhOnly("Label2", "凯维对讲机");
  t.Caption("Label3", kBandLabel);
  t.Caption("Label4", kVoicePromptLabel);
  t.Caption("Label5", kTxTimeoutLabel);
  t.Caption("Label1", kPreAlertLabel);
  t.Caption("Label6", kSquelchLabel);
  t.Caption("Label7", kBatterySaveLabel);
  t.Caption("Label8", kBeepLabel);

  t.Entry("Combo8", 0, kToneOff);
  t.Entries("Combo5", kPowerList, 5);
  t.Entries("Combo5", kForbidList, 6);
  t.Entries("Combo5", kBandwidthList, 7);
  t.Entries("Combo5", kScanList, 8);
  t.Entries("Combo2", kVoicePromptList);
  for (int k = 0; k < kTxTimeoutCount; ++k)
    t.Entry("Combo3", k, TxTimeoutEntry(k, Language::Simplified),
            TxTimeoutEntry(k, Language::English));
  for (int k = 0; k < kPreAlertCount; ++k)
    t.Entry("Combo4", k, PreAlertEntry(k, Language::Simplified),
            PreAlertEntry(k, Language::English));
  for (int k = 0; k < kSquelchCount; ++k)
    t.Entry("Combo9", k, SquelchEntry(k, Language::Simplified), SquelchEntry(k, Language::English));
  t.Entries("Combo6", kOffOnList);
  t.Entries("Combo7", kOffOnList);
}

void Dialogs(TableBuilder& t) {
  t.In(Window::Form2);
  t.Caption("Frame1", form2::kHighFrame);
  t.Caption("Frame2", form2::kLowFrame);
  t.Caption("Label3", form2::kMin);
  t.Caption("Label6", form2::kMin);
  t.Caption("Label7", form2::kMax);
  t.Caption("Label8", form2::kMax);
  t.Caption("Command1", kOk);

  t.In(Window::Form4);
  for (int c = 0; c < 3; ++c) t.Header("mfgrid1", c, form4::kHeaders[c]);
  t.Caption("Command1", kOk);
  t.Caption("Command2", kCancel);

  t.In(Window::Form5);
  t.Title(form5::kTitle);
  t.Caption("Frame2", form5::kScanFrame);
  t.Caption("Check3", form5::kCancelOperation);
  t.Caption("Check4", form5::kRxBlocksVox);
  t.Caption("Label8", form5::kVoxFunction);
  t.Caption("Label10", form5::kVoxGain);
  t.Caption("Label9", form5::kVoxDelay);
  t.Caption("Label7", form5::kVoxTone);
  t.Caption("Label4", form5::kPttId);
  t.Caption("Label11", form5::kDuplicate);
  t.Caption("Label14", form5::kPriority);
  t.Caption("Label15", form5::kPriorityChannel);
  t.Caption("Label17", form5::kRetraceA);
  t.Caption("Label16", form5::kRetraceB);
  t.Caption("Label18", form5::kReturnChannel);
  t.Caption("Label19", form5::kScanRxDelay);
  t.Caption("Label20", form5::kScanTxDelay);
  t.Caption("Command1", kOk);
  t.Caption("Command2", kCancel);
  t.Entries("Combo4", form5::kPttIdList);
  t.Entries("Combo6", kOffOnList);
  t.Entry("Combo7", 0, form5::kVoxGainOff);
  t.Entries("Combo9", kOffOnList);
  t.Entries("Combo10", kOffOnList);
  t.Entries("Combo11", form5::kPriorityList);
  t.Entry("Combo13", 0, form5::kRetraceEmpty);
  t.Entry("Combo14", 0, form5::kRetraceEmpty);
  t.Entries("Combo15", form5::kReturnChannelList);

  t.In(Window::Form6);
  t.Title(form6::kTitle);
  t.Caption("Command1", kOk);
  t.Caption("Command2", kCancel);
  for (const char* combo : {"Combo1", "Combo2"})
    for (int k = 0; k < static_cast<int>(form6::kKeyFunctions.size()); ++k)
      t.Entry(combo, k, form6::kKeyFunctions[k].zh, form6::kKeyFunctions[k].en);

  t.In(Window::Form7);
  t.Title(form7::kTitle);
  t.Caption("Command1", kOk);
  t.Caption("Command2", kCancel);

  t.In(Window::frmAbout);
  t.Caption("lblTitle", "凯维写频软件", "KV-3(T2) Radio Software ");
  t.Caption("lblVersion", "简体中文版 V1.00", "English version V3.00");
  t.Caption("Label2", "发布：2012.10", "Issue：2012.10");
  t.CaptionZhOnly("lblDescription", "本软件由凯维开发");
  t.Caption("cmdOK", kOk);

  t.In(Window::frmBackups);
  t.Title(backups::kTitle);
  for (int c = 0; c < static_cast<int>(backups::kHeaders.size()); ++c)
    t.Header("grdBackups", c, backups::kHeaders[c]);
  t.Caption("cmdOpen", backups::kOpen);
  t.Caption("cmdCompare", backups::kCompare);
  t.Caption("cmdDelete", backups::kDelete);
  t.Caption("cmdFolder", backups::kShowFolder);
  t.Caption("cmdClose", kClose);

  t.In(Window::frmCompare);
  t.Title(compare::kTitle);
  t.Caption("cmdWrite", compare::kWrite);
  t.Caption("cmdClose", kClose);
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
    case Window::frmBackups:
      return "frmBackups";
    case Window::frmCompare:
      return "frmCompare";
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
