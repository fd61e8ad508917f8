#include "OVX_Configurator/Localization.h"

#include "OVX_Configurator/Resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

int indexOf(LanguageType language) {
    return static_cast<int>(language);
}

// Answers the translate() calls of generated layout code with the texts of the current table;
// sources that are not keys of the table are left to other translators (or shown as they are).
class KeyTranslator final : public QTranslator {
public:
    explicit KeyTranslator(QObject* parent) : QTranslator(parent) {}
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* sourceText, const char*, int) const override {
        QString key = QString::fromUtf8(sourceText);
        const Localization& l = Localization::shared();
        return l.contains(key) ? l.text(key) : QString();
    }
};

} // namespace

Localization& Localization::shared() {
    static Localization instance;
    return instance;
}

void Localization::setLanguage(LanguageType language) {
    language_ = language;
    if (translatorInstalled_ || !QCoreApplication::instance())
        return;
    translatorInstalled_ = true;
    // Qt's own texts in Chinese where Qt's translations are installed; the translator installed
    // last is asked first.
    auto* qtTexts = new QTranslator(QCoreApplication::instance());
    if (loadQtTexts(*qtTexts, language))
        QCoreApplication::installTranslator(qtTexts);
    else
        delete qtTexts;
    QCoreApplication::installTranslator(new KeyTranslator(QCoreApplication::instance()));
}

bool Localization::loadQtTexts(QTranslator& translator, LanguageType language) {
    if (language == LanguageType::English)
        return false;
    const QString name = language == LanguageType::SimplifiedChinese
                             ? QStringLiteral("qtbase_zh_CN")
                             : QStringLiteral("qtbase_zh_TW");
    return translator.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

const QHash<QString, QString>& Localization::table(LanguageType language) const {
    int i = indexOf(language);
    if (!loaded_[i]) {
        loaded_[i] = true;
        loadResources();
        // The shell's table "<language>.json", then each area's own "<area>.<language>.json".
        const QString name = rawValue(language) + QStringLiteral(".json");
        QStringList files{name};
        for (const QString& entry : QDir(QStringLiteral(":/texts")).entryList(QDir::Files, QDir::Name))
            if (entry.endsWith(QLatin1Char('.') + name))
                files.append(entry);
        for (const QString& entry : files) {
            QFile file(QStringLiteral(":/texts/") + entry);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
            for (auto it = object.begin(); it != object.end(); ++it)
                tables_[i].insert(it.key(), it.value().toString());
        }
    }
    return tables_[i];
}

bool Localization::contains(const QString& key) const {
    return table(language_).contains(key) || table(LanguageType::English).contains(key);
}

QString Localization::text(const QString& key) const {
    auto it = table(language_).constFind(key);
    if (it != table(language_).constEnd())
        return *it;
    const auto& english = table(LanguageType::English);
    auto en = english.constFind(key);
    return en != english.constEnd() ? *en : key;
}

QString localized(const char* key) {
    return Localization::shared().text(QString::fromUtf8(key));
}

QString localized(const QString& key) {
    return Localization::shared().text(key);
}
