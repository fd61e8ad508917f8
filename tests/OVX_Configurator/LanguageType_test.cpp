#include "OVX_Configurator/LanguageType.h"

#include "OVX_Configurator/MainWindowController.h"
#include "support/ShellEnvironment.h"

#include <gtest/gtest.h>

namespace {

TEST(LanguageType, StoredCodesChooseTheLanguageByPrefix) {
    const std::pair<const char*, LanguageType> cases[] = {
        {"en", LanguageType::English},
        {"en-GB", LanguageType::English},
        {"zh-Hans", LanguageType::SimplifiedChinese},
        {"zh-Hans-CN", LanguageType::SimplifiedChinese},
        {"zh-Hant", LanguageType::TraditionalChinese},
        {"zh-Hant-TW", LanguageType::TraditionalChinese},
        {"zh-TW", LanguageType::English},
        {"zh-HK", LanguageType::English},
        {"zh", LanguageType::English},
        {"fr-FR", LanguageType::English},
        {"", LanguageType::English},
    };
    for (const auto& [code, language] : cases)
        EXPECT_EQ(languageForCode(QString::fromUtf8(code)), language) << code;
}

TEST(LanguageType, SystemLocalesGiveTheCodeTheirUsersExpect) {
    const std::pair<const char*, const char*> cases[] = {
        {"zh_CN", "zh-Hans"}, {"zh_SG", "zh-Hans"},      {"zh_TW", "zh-Hant"}, {"zh_HK", "zh-Hant"},
        {"zh_MO", "zh-Hant"}, {"zh_Hant_CN", "zh-Hant"}, {"zh", "zh-Hans"},    {"en_US", "en"},
        {"en_GB", "en"},      {"fr_FR", "fr"},           {"de_DE", "de"},
    };
    for (const auto& [locale, code] : cases) {
        QString derived = languageCodeForLocale(QLocale(QString::fromUtf8(locale)));
        EXPECT_EQ(derived, QString::fromUtf8(code)) << locale;
    }
    // Chinese users get Chinese, not English, when nothing was stored.
    EXPECT_EQ(languageForCode(languageCodeForLocale(QLocale("zh_CN"))),
              LanguageType::SimplifiedChinese);
    EXPECT_EQ(languageForCode(languageCodeForLocale(QLocale("zh_TW"))),
              LanguageType::TraditionalChinese);
}

TEST(LanguageType, RawTextsMatchExactly) {
    EXPECT_EQ(languageTypeFromRawValue("zh-Hans"), LanguageType::SimplifiedChinese);
    EXPECT_EQ(languageTypeFromRawValue("zh-Hant"), LanguageType::TraditionalChinese);
    EXPECT_EQ(languageTypeFromRawValue("en"), LanguageType::English);
    EXPECT_EQ(languageTypeFromRawValue("EN"), std::nullopt);
    EXPECT_EQ(languageTypeFromRawValue("zh-Hans-CN"), std::nullopt);
    EXPECT_EQ(languageTypeForWebsiteFromRawValue("zh-tw"),
              LanguageTypeForWebsite::TraditionalChinese);
    EXPECT_EQ(languageTypeForWebsiteFromRawValue("zh-Hant"), std::nullopt);
    EXPECT_EQ(rawValue(websiteLanguage(LanguageType::SimplifiedChinese)), "zh-cn");
    EXPECT_EQ(rawValue(websiteLanguage(LanguageType::TraditionalChinese)), "zh-tw");
    EXPECT_EQ(rawValue(websiteLanguage(LanguageType::English)), "en");
}

// Launching with a stored preference picks the language and marks its menu item.
struct LaunchCase {
    std::optional<QStringList> stored;
    LanguageType lang;
    const char* website;
    const char* checkedItem;
};

TEST(LanguageType, LaunchTakesTheStoredPreferenceAndMarksItsMenuItem) {
    const LaunchCase cases[] = {
        {QStringList{"zh-Hant-TW", "en"}, LanguageType::TraditionalChinese, "zh-tw",
         "menuItemLanguageTraditional"},
        {QStringList{"zh-Hans"}, LanguageType::SimplifiedChinese, "zh-cn",
         "menuItemLanguageSimplified"},
        {QStringList{"en-GB"}, LanguageType::English, "en", "menuItemLanguageEnglish"},
        {QStringList{"fr-FR"}, LanguageType::English, "en", "menuItemLanguageEnglish"},
    };
    for (const LaunchCase& c : cases) {
        testsupport::ShellEnvironment shell(c.stored);
        AppDelegate& app = shell.launch();
        SCOPED_TRACE(c.stored->join(','));
        EXPECT_EQ(app.lang, c.lang);
        EXPECT_EQ(rawValue(app.langForWebsite), c.website);
        for (QAction* item :
             {app.menuItemLanguageSimplified.data(), app.menuItemLanguageTraditional.data(),
              app.menuItemLanguageEnglish.data()}) {
            ASSERT_NE(item, nullptr);
            bool current = item->objectName() == QLatin1String(c.checkedItem);
            EXPECT_EQ(item->isChecked(), current) << item->objectName().toStdString();
            EXPECT_EQ(item->isEnabled(), !current) << item->objectName().toStdString();
        }
    }
}

TEST(LanguageType, WithoutAStoredPreferenceTheSystemLocaleDecides) {
    testsupport::ShellEnvironment shell(std::nullopt);
    EXPECT_EQ(AppDelegate::preferredLanguage(), languageCodeForLocale(QLocale::system()));
    testsupport::ShellEnvironment emptyList(QStringList{});
    EXPECT_EQ(AppDelegate::preferredLanguage(), languageCodeForLocale(QLocale::system()));
}

} // namespace
