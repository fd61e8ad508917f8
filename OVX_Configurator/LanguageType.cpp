#include "OVX_Configurator/LanguageType.h"

QString rawValue(LanguageType language) {
    switch (language) {
    case LanguageType::SimplifiedChinese:
        return QStringLiteral("zh-Hans");
    case LanguageType::TraditionalChinese:
        return QStringLiteral("zh-Hant");
    case LanguageType::English:
        break;
    }
    return QStringLiteral("en");
}

QString rawValue(LanguageTypeForWebsite language) {
    switch (language) {
    case LanguageTypeForWebsite::SimplifiedChinese:
        return QStringLiteral("zh-cn");
    case LanguageTypeForWebsite::TraditionalChinese:
        return QStringLiteral("zh-tw");
    case LanguageTypeForWebsite::English:
        break;
    }
    return QStringLiteral("en");
}

std::optional<LanguageType> languageTypeFromRawValue(const QString& text) {
    for (auto l :
         {LanguageType::SimplifiedChinese, LanguageType::TraditionalChinese, LanguageType::English})
        if (rawValue(l) == text)
            return l;
    return std::nullopt;
}

std::optional<LanguageTypeForWebsite> languageTypeForWebsiteFromRawValue(const QString& text) {
    for (auto l : {LanguageTypeForWebsite::SimplifiedChinese,
                   LanguageTypeForWebsite::TraditionalChinese, LanguageTypeForWebsite::English})
        if (rawValue(l) == text)
            return l;
    return std::nullopt;
}

LanguageTypeForWebsite websiteLanguage(LanguageType language) {
    switch (language) {
    case LanguageType::SimplifiedChinese:
        return LanguageTypeForWebsite::SimplifiedChinese;
    case LanguageType::TraditionalChinese:
        return LanguageTypeForWebsite::TraditionalChinese;
    case LanguageType::English:
        break;
    }
    return LanguageTypeForWebsite::English;
}

LanguageType languageForCode(const QString& code) {
    if (code.startsWith(QLatin1String("en")))
        return LanguageType::English;
    if (code.startsWith(QLatin1String("zh-Hans")))
        return LanguageType::SimplifiedChinese;
    if (code.startsWith(QLatin1String("zh-Hant")))
        return LanguageType::TraditionalChinese;
    return LanguageType::English;
}

QString languageCodeForLocale(const QLocale& locale) {
    if (locale.language() != QLocale::Chinese)
        return QLocale::languageToCode(locale.language());
    switch (locale.script()) {
    case QLocale::SimplifiedHanScript:
        return rawValue(LanguageType::SimplifiedChinese);
    case QLocale::TraditionalHanScript:
        return rawValue(LanguageType::TraditionalChinese);
    default:
        break;
    }
    switch (locale.territory()) {
    case QLocale::Taiwan:
    case QLocale::HongKong:
    case QLocale::Macao:
        return rawValue(LanguageType::TraditionalChinese);
    default:
        return rawValue(LanguageType::SimplifiedChinese);
    }
}
