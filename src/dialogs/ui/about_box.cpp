#include "dialogs/ui/about_box.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>

#include "dialogs/ui/dialog_support.h"
#include "dialogs/ui/help.h"
#include "i18n/ui/window_captions.h"
#include "kv3_version.h"

namespace kv3 {

namespace {

// A handheld radio: body, antenna, display and keypad.
QPixmap RadioPicture() {
  QPixmap pix(64, 96);
  pix.fill(Qt::transparent);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 40, 48));
  p.drawRoundedRect(QRectF(40, 2, 8, 30), 3, 3);
  p.drawRoundedRect(QRectF(12, 26, 42, 66), 8, 8);
  p.setBrush(QColor(140, 200, 230));
  p.drawRect(QRectF(18, 34, 30, 16));
  p.setBrush(QColor(180, 180, 190));
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) p.drawEllipse(QRectF(19 + 10 * c, 56 + 10 * r, 7, 7));
  return pix;
}

// The maker's mark: a blue band with radio waves.
QPixmap MakerMark() {
  QPixmap pix(260, 40);
  pix.fill(Qt::transparent);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient band(0, 0, 260, 0);
  band.setColorAt(0, QColor(20, 70, 150));
  band.setColorAt(1, QColor(110, 170, 230));
  p.setBrush(band);
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(0, 8, 260, 24), 12, 12);
  p.setPen(QPen(Qt::white, 2));
  p.setBrush(Qt::NoBrush);
  for (int k = 1; k <= 3; ++k)
    p.drawArc(QRectF(20 - 5 * k, 20 - 5 * k, 10 * k, 10 * k), -45 * 16, 90 * 16);
  QFont font = p.font();
  font.setBold(true);
  font.setPointSize(11);
  p.setFont(font);
  p.drawText(QRectF(50, 8, 200, 24), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("KV-3(T2)"));
  return pix;
}

QLabel* NamedLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

frmAbout::frmAbout(EditorState&, const Language& language, QWidget* parent)
    : QWidget(parent, Qt::Dialog) {
  setObjectName("frmAbout");
  setWindowTitle(QStringLiteral("About KV-3(T2)"));

  auto* picIcon = NamedLabel("picIcon", this);
  picIcon->setPixmap(RadioPicture());
  auto* Image1 = NamedLabel("Image1", this);
  Image1->setPixmap(MakerMark());
  QLabel* lblTitle = NamedLabel("lblTitle", this);
  QFont titleFont = lblTitle->font();
  titleFont.setPointSize(titleFont.pointSize() + 4);
  titleFont.setBold(true);
  lblTitle->setFont(titleFont);
  QLabel* lblVersion = NamedLabel("lblVersion", this);
  QLabel* Label2 = NamedLabel("Label2", this);
  lblDescription_ = NamedLabel("lblDescription", this);
  // The maker's line; the Simplified table has its own words for it.
  lblDescription_->setText(QStringLiteral("KV-3 Radio · kv3-radio.example"));
  lblDescription_->setCursor(Qt::PointingHandCursor);
  lblDescription_->setToolTip(QString::fromUtf8(kMakerAddress));
  QPalette link = lblDescription_->palette();
  link.setColor(QPalette::WindowText, QColor(0, 0, 200));
  lblDescription_->setPalette(link);
  QFont underlined = lblDescription_->font();
  underlined.setUnderline(true);
  lblDescription_->setFont(underlined);
  lblDescription_->installEventFilter(this);

  auto* cmdOK = new QPushButton(this);
  cmdOK->setObjectName("cmdOK");
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &QWidget::hide);

  auto* grid = new QGridLayout(this);
  grid->addWidget(picIcon, 0, 0, 4, 1, Qt::AlignTop);
  grid->addWidget(lblTitle, 0, 1);
  grid->addWidget(lblVersion, 1, 1);
  grid->addWidget(Label2, 2, 1);
  grid->addWidget(lblDescription_, 3, 1);
  grid->addWidget(Image1, 4, 0, 1, 2, Qt::AlignCenter);
  grid->addWidget(cmdOK, 5, 1, Qt::AlignRight);
  // The program's own version, beside the edition lines above (which keep
  // their texts): the same in every language.
  QLabel* lblProgramVersion = NamedLabel("lblProgramVersion", this);
  lblProgramVersion->setText(QStringLiteral("kv3-programmer ") +
                             QString::fromUtf8(kProgramVersion));
  lblProgramVersion->setEnabled(false);
  grid->addWidget(lblProgramVersion, 6, 0, 1, 2, Qt::AlignCenter);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  SetCaptions(language, true);
}

void frmAbout::SetCaptions(Language lang, bool startup) {
  ApplyWindowCaptions(this, Window::frmAbout, lang, startup);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lblDescription_ && event->type() == QEvent::MouseButtonRelease) {
    OpenMakerSite();
    emit makerLinkActivated();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kv3
