#include "ModelPage.h"

#include "OVX_Configurator/Alert.h"
#include "OVX_Configurator/Resources.h"
#include "OVX_Configurator/SerialPort.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QJsonDocument>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>

namespace testsupport {

bool showsPicture(const QLabel* view, const char* name) {
    const QPixmap expected = imageNamed(QString::fromLatin1(name), view->minimumSize());
    const QPixmap shown = view->pixmap();
    return !expected.isNull() && !shown.isNull() && shown.toImage() == expected.toImage();
}

void expectNoPollWhileAReadWaits(ConnectedShell& s, ModelPageViewController* page,
                                 const QByteArray& poll) {
    auto waitLong = [&](const std::function<bool()>& done) { return waitUntil(done, 10000); };
    s.unit.clearRecord();
    s.unit.holdReplies(true);
    page->btnRead->click();
    ASSERT_TRUE(waitLong([&] { return s.unit.count("R") == 1; }));
    ASSERT_TRUE(s.app->port->busy());
    s.shell.clock.advance(0.45); // several ticks, within the read's time-out
    pumpEvents(50);
    EXPECT_EQ(s.unit.frames(), QList<QByteArray>{"R"});
    s.unit.holdReplies(false);
    s.unit.releaseReplies();
    ASSERT_TRUE(waitLong([&] { return !s.app->port->busy(); }));
    s.advance(0.2);
    EXPECT_TRUE(waitLong([&] { return s.unit.count(poll) > 0; }));
}

QByteArray words(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values) {
        bytes.append(char((v >> 8) & 0xFF));
        bytes.append(char(v & 0xFF));
    }
    return bytes;
}

QString refusalHeadline(const QString& name) {
    return splitAlertText(localized("SETTING_NOT_STORABLE").arg(name)).message;
}

double splitPauseSeconds() {
    return SerialPort::splitPause;
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
