#include "ModelPage.h"

#include "OVX_Configurator/Resources.h"
#include "OVX_Configurator/SerialPort.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QJsonDocument>
#include <QPixmap>
#include <QRegularExpression>
#include <QTabWidget>

namespace testsupport {

bool showsPicture(const QLabel* view, const char* name) {
    const QPixmap expected = imageNamed(QString::fromLatin1(name), view->minimumSize());
    const QPixmap shown = view->pixmap();
    return !expected.isNull() && !shown.isNull() && shown.toImage() == expected.toImage();
}

QByteArray words(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values) {
        bytes.append(char((v >> 8) & 0xFF));
        bytes.append(char(v & 0xFF));
    }
    return bytes;
}

QByteArray writeFrame(const QByteArray& block) {
    const std::uint16_t crc = crc16Modbus(block, 0, block.size());
    QByteArray frame("W");
    frame += block;
    frame += char(crc >> 8);
    frame += char(crc & 0xFF);
    return frame;
}

QJsonObject textTable(const char* area, const QString& language) {
    QFile file(QStringLiteral(":/texts/%1.%2.json").arg(QLatin1String(area), language));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << area << " " << language.toStdString();
    return QJsonDocument::fromJson(file.readAll()).object();
}

QStringList keysShown(QWidget* view) {
    static const QRegularExpression key(QStringLiteral("^[A-Z][A-Z0-9]*_[A-Z0-9_]+$"));
    QStringList texts;
    for (QLabel* l : view->findChildren<QLabel*>())
        texts << l->text();
    for (QAbstractButton* b : view->findChildren<QAbstractButton*>())
        texts << b->text() << b->toolTip();
    for (QGroupBox* g : view->findChildren<QGroupBox*>())
        texts << g->title();
    for (QComboBox* c : view->findChildren<QComboBox*>())
        for (int i = 0; i < c->count(); ++i)
            texts << c->itemText(i);
    for (QTabWidget* t : view->findChildren<QTabWidget*>())
        for (int i = 0; i < t->count(); ++i)
            texts << t->tabText(i);
    QStringList keys;
    for (const QString& text : texts)
        if (key.match(text).hasMatch())
            keys << text;
    return keys;
}

} // namespace testsupport
