#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// The three interface languages, by the code stored in the "AppleLanguages" preference.
enum class LanguageType { SimplifiedChinese, TraditionalChinese, English };

// The same three languages, by the code the maker's web site takes after "?lang=".
enum class LanguageTypeForWebsite { SimplifiedChinese, TraditionalChinese, English };

// "zh-Hans", "zh-Hant", "en".
QString rawValue(LanguageType language);
// "zh-cn", "zh-tw", "en".
QString rawValue(LanguageTypeForWebsite language);

// Exact matches of the three raw texts; any other text gives no value.
std::optional<LanguageType> languageTypeFromRawValue(const QString& text);
std::optional<LanguageTypeForWebsite> languageTypeForWebsiteFromRawValue(const QString& text);

// The web-site code of the same language.
LanguageTypeForWebsite websiteLanguage(LanguageType language);

// The interface language for a stored language code, by prefix: "en..." English, "zh-Hans..."
// Simplified Chinese, "zh-Hant..." Traditional Chinese, anything else English.
LanguageType languageForCode(const QString& code);

// The language code a user of `locale` expects when no language has been stored: Chinese with
// the Simplified script (or from mainland China or Singapore) gives "zh-Hans", with the
// Traditional script (or from Taiwan, Hong Kong or Macao) "zh-Hant"; otherwise the locale's
// language code ("en", "fr", ...).
QString languageCodeForLocale(const QLocale& locale);
