#include "editor/ui/settings_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace kv3 {

SettingsPanel::SettingsPanel(FunctionSettings& settings, QWidget* parent)
    : QGroupBox(parent), settings_(settings) {
  setObjectName("Frame2");
  auto* layout = new QGridLayout(this);
  layout->setVerticalSpacing(2);
  for (int i = 0; i < kCount; ++i) {
    const SettingsList which = kSettingsLists[i];
    const SettingsListInfo& info = InfoOf(which);
    labels_[i] = new QLabel(this);
    labels_[i]->setObjectName(info.labelObjectName);
    lists_[i] = new QComboBox(this);
    lists_[i]->setObjectName(info.objectName);
    lists_[i]->setMaxVisibleItems(12);
    for (const std::string& entry : SettingsEntries(which, Language::Simplified)) {
      lists_[i]->addItem(QString::fromStdString(entry));
    }
    layout->addWidget(labels_[i], 2 * i, 0);
    layout->addWidget(lists_[i], 2 * i + 1, 0);
    connect(lists_[i], &QComboBox::currentIndexChanged, this, [this, which](int position) {
      if (!loading_) SelectSetting(settings_, which, position);
    });
  }
  layout->setRowStretch(2 * kCount, 1);
  LoadFromState();
}

void SettingsPanel::LoadFromState() {
  loading_ = true;
  for (int i = 0; i < kCount; ++i) {
    const int position = SettingsPosition(settings_, kSettingsLists[i]);
    lists_[i]->setCurrentIndex(position >= 0 && position < lists_[i]->count() ? position : -1);
  }
  loading_ = false;
}

}  // namespace kv3
