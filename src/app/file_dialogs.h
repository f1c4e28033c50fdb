// The open and save dialogs of the codeplug files, with the filter
// "KV-3(T2)(*.DAT)". Save never asks about overwriting: the caller asks in
// the program's own words. Tests answer instead of a dialog.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace kv3 {

// The chosen file name, or an empty text when the dialog was cancelled.
QString AskOpenFileName(QWidget* owner);
QString AskSaveFileName(QWidget* owner);

// Answers every file dialog instead of showing it while set; its argument
// says whether a save dialog was asked for. Returns the previous responder.
using FileDialogResponder = std::function<QString(bool save)>;
FileDialogResponder SetFileDialogResponder(FileDialogResponder responder);

}  // namespace kv3
