#include "report/ui/version_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/project.h"
#include "widgets/app_look.h"

namespace rqx {

VersionView::VersionView(const QString &appTitle, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("VerView"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setWindowIcon(AppIcon());
    auto *icon = new QLabel(this);
    icon->setPixmap(AppIcon().pixmap(48, 48));
    auto *title = new QLabel(appTitle, this);
    title->setObjectName(QStringLiteral("titleLabel"));
    QFont f = title->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    title->setFont(f);
    auto *version = new QLabel(VersionText(), this);
    version->setObjectName(QStringLiteral("versionLabel"));
    auto *platforms = new QLabel(QStringLiteral("for Linux / Windows"), this);
    platforms->setObjectName(QStringLiteral("platformLabel"));
    auto *ok = new QPushButton(QStringLiteral("O K"), this);
    ok->setCursor(HandCursor());
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addWidget(platforms);
    auto *row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addSpacing(12);
    row->addLayout(texts);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(ok);
    auto *top = new QVBoxLayout(this);
    top->addLayout(row);
    top->addLayout(bottom);
    top->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace rqx
