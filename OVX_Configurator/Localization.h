#pragma once

#include "OVX_Configurator/LanguageType.h"

#include <QHash>
#include <QString>
#include <QStringList>

class QTranslator;

// The interface texts: one table per language (resources/texts/<code>.json, a JSON object from
// key to text), loaded from the application resources. Texts that take arguments hold "%1",
// "%2" ... for QString::arg. Layout files name their texts by key as well: the translator that
// `setLanguage` installs answers Qt's translate() calls with the table's text.
class Localization {
public:
    static Localization& shared();

    // The table used from now on; installs the translator for layouts on first use.
    void setLanguage(LanguageType language);
    LanguageType language() const { return language_; }

    // The text of `key` in the current language, else in English, else the key itself.
    QString text(const QString& key) const;
    // Whether the current language's table has `key`.
    bool contains(const QString& key) const;

    // Loads into `translator` Qt's own texts (file dialogs, standard buttons, network errors) in
    // `language` from where Qt's translations are installed (Debian: qt6-translations-l10n).
    // False for English, or when they are not installed.
    static bool loadQtTexts(QTranslator& translator, LanguageType language);

    // The whole table of `language`.
    const QHash<QString, QString>& table(LanguageType language) const;

private:
    Localization() = default;

    LanguageType language_ = LanguageType::English;
    bool translatorInstalled_ = false;
    mutable QHash<QString, QString> tables_[3];
    mutable bool loaded_[3] = {false, false, false};
};

// The localised text of `key` (the lookup that every page uses): localized("READ_SUCCESS").
// Format texts take their arguments with QString::arg: localized("PORT_REMOVED").arg(name).
QString localized(const char* key);
QString localized(const QString& key);
