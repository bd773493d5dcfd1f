#include "app/about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/version.h"
#include "uikit/dialog_units.h"

namespace mireva::ui {
namespace {

QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 32.0;
    // A level meter: dark case, a screen with bars rising left to right.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 60, 110));
    p.drawRoundedRect(QRectF(1 * s, 1 * s, 30 * s, 30 * s), 5 * s, 5 * s);
    p.setBrush(QColor(202, 221, 213));
    p.drawRoundedRect(QRectF(4 * s, 4 * s, 24 * s, 17 * s), 2 * s, 2 * s);
    const QColor bars[] = {QColor(255, 69, 0), QColor(65, 105, 225), QColor(65, 105, 225), QColor(65, 105, 225)};
    for (int i = 0; i < 4; ++i) {
        const qreal h = (4 + 3.5 * i) * s;
        p.setBrush(bars[i]);
        p.drawRect(QRectF((6 + 5.5 * i) * s, 19 * s - h, 3.5 * s, h));
    }
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6 * s, 23.5 * s, 5 * s, 5 * s));
    p.drawEllipse(QRectF(21 * s, 23.5 * s, 5 * s, 5 * s));
    return pixmap;
}

}  // namespace

QIcon applicationIcon() {
    static const QIcon icon = [] {
        QIcon i;
        for (int size : {16, 32, 48, 64, 128}) i.addPixmap(drawIcon(size));
        return i;
    }();
    return icon;
}

QString AboutDialog::versionLine() { return QStringLiteral("Mireva３, Version " MIREVA_VERSION); }

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFixedSize(dluSize(202, 70));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(applicationIcon().pixmap(32, 32));
    row->addWidget(icon, 0, Qt::AlignTop);
    auto* text = new QLabel(versionLine(), this);
    text->setObjectName("versionLine");
    row->addWidget(text, 1);
    layout->addLayout(row);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace mireva::ui
