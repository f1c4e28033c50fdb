// The caption tables of every window, Simplified Chinese and English, and
// the rules of the Traditional conversion of a window. Each row addresses
// one text by window, control name (the widget's objectName) and, for list
// entries, grid header columns and toolbar buttons, an index.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/language.h"

namespace kv3 {

// The windows, in the order the captions are written and converted.
enum class Window { Form1, Form2, Form4, Form5, Form6, Form7, frmAbout, frmBackups, frmCompare };
inline constexpr std::array<Window, 9> kWindowOrder{
    Window::Form1, Window::Form2,    Window::Form4,      Window::Form5,     Window::Form6,
    Window::Form7, Window::frmAbout, Window::frmBackups, Window::frmCompare};
// "Form1" (main window), "Form2" (power tuning), "Form4" (test frequencies),
// "Form5" (optional functions), "Form6" (keys set), "Form7" (embedded
// information), "frmAbout" (about box), "frmBackups" (the backups),
// "frmCompare" (what differs between two codeplugs).
const char* WindowName(Window window);

// What a row replaces.
enum class CaptionKind {
  WindowTitle,  // the window's title; control is the window name
  Caption,      // a label, frame, button, check box or menu item
  ListEntry,    // entry `index` of a list
  GridHeader,   // row 0, column `index` of a grid
  ButtonTip,    // the tooltip of toolbar button `index` (1-based)
};

// The entries of the Edit menu's bulk submenus of power, forbid, bandwidth
// and scan (grid columns 5..8), by list position.
inline constexpr const char* kBulkChoiceNames[4][2] = {{"mnuBulkPower0", "mnuBulkPower1"},
                                                       {"mnuBulkForbid0", "mnuBulkForbid1"},
                                                       {"mnuBulkBandwidth0", "mnuBulkBandwidth1"},
                                                       {"mnuBulkScan0", "mnuBulkScan1"}};

// The toolbar of the main window.
inline constexpr const char* kToolbarName = "Toolbar1";

struct CaptionTarget {
  Window window = Window::Form1;
  std::string control;  // objectName: "mnuFile", "Label3", "Combo2", "Grid1", ...
  int member = -1;      // member of a control array: Combo5(5..8); -1 otherwise
  CaptionKind kind = CaptionKind::Caption;
  int index = -1;  // list entry, header column or toolbar button; -1 otherwise

  // The objectName of the widget: control, or control + "_" + member for a
  // member of a control array ("Combo5_5").
  std::string ObjectName() const;
  friend bool operator==(const CaptionTarget&, const CaptionTarget&) = default;
};

struct CaptionRow {
  CaptionTarget target;
  std::string zh;
  std::string en;
  bool hasEnglish = true;  // false: the English table has no row, the text stays
};

// Every row of both tables, window by window in kWindowOrder, including the
// lists built by rule (Combo3, Combo4, Combo9 of the main window).
const std::vector<CaptionRow>& CaptionTable();
// The rows of one window.
std::vector<CaptionRow> CaptionRowsOf(Window window);
// The text of a target in the table of a language (Simplified or English;
// Traditional is the Simplified text converted). Empty when the table has
// no row for it.
std::string CaptionText(const CaptionTarget& target, Language lang);

// The about box's version line in Traditional Chinese and its title as
// start-up writes them.
inline constexpr const char* kTraditionalVersionSource = "繁体中文版 V1.0";
inline constexpr const char* kTraditionalTitleSource = "KV-3(T2) 对讲机编程软件";

// What the Traditional conversion of a window converts, by control type.
enum class TraditionalConversion {
  Caption,         // Label, OptionButton, Menu, Frame, CommandButton, CheckBox
  ToolbarTooltip,  // Toolbar: its own tooltip; the tips of its buttons stay
  ListEntries,     // ComboBox: every entry, in place
  HeaderRow,       // grids: row 0, every column
  Nothing,         // text boxes, sliders, timers, progress bars, ... and the
                   // window's own title
};

// By the control's type name: "Label", "OptionButton", "Menu", "Frame",
// "CommandButton", "CheckBox", "Toolbar", "ComboBox", "VSFlexGrid",
// "MSFlexGrid"; anything else converts nothing.
TraditionalConversion ConversionOfType(std::string_view typeName);
// By the kind of a table row (a WindowTitle or ButtonTip is not converted).
TraditionalConversion ConversionOfKind(CaptionKind kind);

}  // namespace kv3
