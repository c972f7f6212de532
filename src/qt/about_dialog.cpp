#include "qt/about_dialog.h"

#include <QBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "qt/resources/frame_resources.h"
#include "platform/version.h"

namespace tarvex::qt {

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("About Tarvex"));

  auto* icon = new QLabel(this);
  icon->setPixmap(resources::ApplicationIcon().pixmap(QSize(32, 32), devicePixelRatioF()));
  icon->setAccessibleName(QStringLiteral("Tarvex icon"));
  auto* version =
      new QLabel(QStringLiteral("Tarvex Version ") + QLatin1String(kShortVersion), this);
  auto* notice = new QLabel(QStringLiteral("Policy editor and compiler for system administrators.\n"
                                           "Copyright (C) the Tarvex developers."),
                            this);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* texts = new QVBoxLayout;
  texts->addWidget(version);
  texts->addSpacing(6);
  texts->addWidget(notice);
  texts->addStretch();
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(icon, 0, Qt::AlignTop);
  layout->addSpacing(8);
  layout->addLayout(texts, 1);
  layout->addSpacing(12);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tarvex::qt
