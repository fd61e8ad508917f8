#include "OVX_Configurator/Localization.h"
#include "support/QtPrinting.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr LanguageType kLanguages[] = {LanguageType::English, LanguageType::SimplifiedChinese,
                                       LanguageType::TraditionalChinese};

// Every key that the program's pages, messages and menus look up.
const char* const kProgramKeys[] = {"OK",
                                    "YES",
                                    "NO",
                                    "CANCEL",
                                    "START",
                                    "EXIT",
                                    "CONTINUE",
                                    "BYTES",
                                    "RESPONSE_TIMEOUT",
                                    "RESPONSE_ERROR",
                                    "UPDATE_NOW",
                                    "UPDATE_LATER",
                                    "FIRMWARE_OUTDATED",
                                    "WAIT_UPDATE_COMPLETE",
                                    "REMIND_LATER",
                                    "DOWNLOAD_NOW",
                                    "NEVER_REMIND",
                                    "PORT_NOT_FOUND",
                                    "PORT_UNCONNECTED",
                                    "NETWORK_REQUEST_ERROR",
                                    "STATUS_CODE",
                                    "BAD_FILE_FORMAT",
                                    "READ_SUCCESS",
                                    "WRITE_SUCCESS",
                                    "NO_SOFTWARE_UPDATE",
                                    "NO_FIRMWARE_UPDATE",
                                    "SOFTWARE_UPDATE_AVAILABLE",
                                    "FIRMWARE_UPDATE_AVAILABLE",
                                    "DATA_BUFFER_EMPTY",
                                    "UNRECOGNIZED_DEVICE",
                                    "SELECT_PORT_WARNING",
                                    "SAVE_FILE_FAILED",
                                    "SAVE_FILE_SUCCESS",
                                    "SAVE_FILE_TITLE",
                                    "OPEN_FILE_SUCCESS",
                                    "FILE_NOT_EXISTS",
                                    "RESET_SUCCESS",
                                    "RESET_CONFIRM",
                                    "PORT_REMOVED",
                                    "PORT_ERROR",
                                    "OPEN_PORT_FAILED",
                                    "CALIBRATION_FAILED",
                                    "CALIBRATING",
                                    "CALIBRATION_SUCCESS",
                                    "CALIBRATION_CANCELLED",
                                    "APP_RESTART_REQUIRED",
                                    "WRITE_CONFIRM",
                                    "START_UPDATE",
                                    "CANCEL_UPDATE",
                                    "RESTART_NOW",
                                    "RESTART_LATER",
                                    "RESTART_CONFIRM",
                                    "DEVICE_RESTART_REQUIRED",
                                    "RELOAD_PORTLIST",
                                    "LEVEL_CALIBRATION_CONFIRM",
                                    "HOVER_CALIBRATION_CONFIRM",
                                    "CHANNELS_RESET_CONFIRM",
                                    "AUX_INVALID_WARNING",
                                    "ACCEL_CALIBRATION_START_CONFIRM",
                                    "ACCEL_CALIBRATION_CANCEL_CONFIRM",
                                    "SERVO_TRIMMING_START_CONFIRM",
                                    "SERVO_TRIMMING_EXIT_CONFIRM",
                                    "SERVO_TRAVELLING_START_CONFIRM",
                                    "SERVO_TRAVELLING_EXIT_CONFIRM",
                                    "SERVO_TRIMMING",
                                    "SERVO_TRAVELLING",
                                    "INITIALIZING",
                                    "STANDBY",
                                    "NOSIGNAL",
                                    "STICK_CENTERING",
                                    "ACCEL_CALIBRATING",
                                    "LEVEL_CALIBRATING",
                                    "HOVER_CALIBRATING",
                                    "OFF_MODE",
                                    "NORMAL_MODE",
                                    "LOCK_MODE",
                                    "TRAINER_MODE",
                                    "LEVEL_MODE",
                                    "HOVER_MODE",
                                    "USER_MODE",
                                    "ANGLE_MODE",
                                    "MASTER_GAIN",
                                    "UNEXPECTED_DEVICE_ID",
                                    "UPDATE_COMPLETE",
                                    "UPDATE_TERMINATE_UNEXPECTEDLY",
                                    "IAP_BOOT_FAILED",
                                    "FIRMWARE_BUFF_ERROR",
                                    "UPDATE_CONFIRM",
                                    "FIRMWARE_NOT_SELECTED",
                                    "FIRMWARE_FILE_NOT_SELECTED",
                                    "FETCHING_DATA",
                                    "DETECT_CONFIRM",
                                    "SELECT_PRODUCT_MODEL",
                                    "SELECT_FIRMWARE_VERSION",
                                    "FIRMWARE_DOWNLOADING"};

// Texts used as formats, with the number of arguments they take.
const std::pair<const char*, int> kFormatKeys[] = {
    {"NETWORK_REQUEST_ERROR", 1},     {"SOFTWARE_UPDATE_AVAILABLE", 1},
    {"FIRMWARE_UPDATE_AVAILABLE", 1}, {"PORT_REMOVED", 1},
    {"PORT_PATH_MISSING", 1},         {"PORT_ERROR", 1},
    {"SETTING_NOT_STORABLE", 1},      {"ABOUT_VERSION", 2},
};

QSet<QString> placeholders(const QString& text) {
    QSet<QString> found;
    static const QRegularExpression arg(QStringLiteral("%\\d+"));
    for (const auto& m : arg.globalMatch(text))
        found.insert(m.captured());
    return found;
}

std::filesystem::path repositoryRoot() {
    // The build gives the source tree's absolute path; __FILE__ may be relative to the build
    // directory (compiler caches rewrite it), which the test does not run in.
    return std::filesystem::path(OVX_SOURCE_DIR);
}

// Keys named in the program's sources: localized("KEY") calls, key texts of the layouts and
// upper-case texts with an underscore in the C++ sources (environment variable names excepted).
QSet<QString> keysUsedByTheProgram() {
    QSet<QString> keys;
    static const QRegularExpression call(QStringLiteral(R"(localized\(\s*"([^"]+)\"\s*\))"));
    static const QRegularExpression literal(
        QStringLiteral(R"("([A-Z][A-Z0-9]*(?:_[A-Z0-9]+)+)\")"));
    static const QRegularExpression uiText(QStringLiteral(R"(<string>([A-Z][A-Z0-9_]*)</string>)"));
    static const QRegularExpression environment(
        QStringLiteral(R"((qEnvironmentVariable\w*|q?getenv|qputenv)\(\s*$)"));
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(repositoryRoot() / "OVX_Configurator")) {
        const auto ext = entry.path().extension();
        if (ext != ".cpp" && ext != ".h" && ext != ".ui")
            continue;
        QFile file(QString::fromStdString(entry.path().string()));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << entry.path();
        const QString source = QString::fromUtf8(file.readAll());
        if (ext == ".ui") {
            for (const auto& m : uiText.globalMatch(source))
                keys.insert(m.captured(1));
            continue;
        }
        for (const auto& m : call.globalMatch(source))
            keys.insert(m.captured(1));
        for (const auto& m : literal.globalMatch(source)) {
            QString before = source.left(m.capturedStart()).right(40);
            if (!environment.match(before).hasMatch())
                keys.insert(m.captured(1));
        }
    }
    return keys;
}

TEST(Localization, TablesAgreeOnKeysAndArguments) {
    const auto& english = Localization::shared().table(LanguageType::English);
    ASSERT_GT(english.size(), 100);
    for (LanguageType language : kLanguages) {
        const auto& table = Localization::shared().table(language);
        SCOPED_TRACE(rawValue(language).toStdString());
        EXPECT_EQ(QSet<QString>(table.keyBegin(), table.keyEnd()),
                  QSet<QString>(english.keyBegin(), english.keyEnd()));
        for (auto it = table.begin(); it != table.end(); ++it) {
            EXPECT_FALSE(it.value().trimmed().isEmpty()) << it.key().toStdString();
            EXPECT_EQ(placeholders(it.value()), placeholders(english.value(it.key())))
                << it.key().toStdString();
            EXPECT_LE(it.value().count(QLatin1Char('|')), 1) << it.key().toStdString();
        }
    }
    for (const auto& [key, count] : kFormatKeys) {
        QSet<QString> expected;
        for (int i = 1; i <= count; ++i)
            expected.insert(QStringLiteral("%") + QString::number(i));
        EXPECT_EQ(placeholders(english.value(QString::fromUtf8(key))), expected) << key;
    }
}

TEST(Localization, EveryKeyInUseHasATextInEveryLanguage) {
    QSet<QString> used = keysUsedByTheProgram();
    EXPECT_TRUE(used.contains("APP_RESTART_REQUIRED")); // the scan finds the sources
    EXPECT_TRUE(used.contains("MENU_DEVICE"));
    for (const char* key : kProgramKeys)
        used.insert(QString::fromUtf8(key));
    for (LanguageType language : kLanguages) {
        const auto& table = Localization::shared().table(language);
        for (const QString& key : used)
            EXPECT_TRUE(table.contains(key))
                << key.toStdString() << " is missing in " << rawValue(language).toStdString();
    }
}

TEST(Localization, SerialPortHelpSaysWhatToDoInEveryLanguage) {
    // The commands a Linux user needs, word for word in every language.
    const std::pair<const char*, QStringList> cases[] = {
        {"OPEN_PORT_FAILED", {"sudo usermod -aG dialout $USER"}},
        {"SERIAL_PORT_ACCESS_HELP",
         {"sudo usermod -aG dialout $USER", "/etc/udev/rules.d/", "TAG+=\"uaccess\"",
          "ENV{ID_MM_DEVICE_IGNORE}=\"1\"", "sudo udevadm control --reload",
          "sudo apt remove brltty"}},
    };
    for (LanguageType language : kLanguages) {
        const auto& table = Localization::shared().table(language);
        for (const auto& [key, commands] : cases) {
            const QString text = table.value(QString::fromUtf8(key));
            ASSERT_EQ(text.count(QLatin1Char('|')), 1) << key; // headline and explanation
            for (const QString& command : commands)
                EXPECT_TRUE(text.contains(command))
                    << key << " in " << rawValue(language).toStdString() << " lacks "
                    << command.toStdString();
        }
    }
}

// Messages the user must tell apart differ in every language, headline and all.
TEST(Localization, MessagesOfDifferentFaultsDifferInEveryLanguage) {
    const std::pair<const char*, const char*> pairs[] = {
        {"DATA_BUFFER_EMPTY", "DATA_BUFFER_INVALID"},
        {"RELEASE_LIST_TOO_LARGE", "NETWORK_REQUEST_ERROR"},
        {"OPEN_PORT_FAILED", "PORT_PATH_MISSING"},
    };
    for (LanguageType language : kLanguages) {
        const auto& table = Localization::shared().table(language);
        for (const auto& [a, b] : pairs) {
            const QString first = table.value(QString::fromUtf8(a));
            const QString second = table.value(QString::fromUtf8(b));
            ASSERT_FALSE(first.isEmpty()) << a;
            ASSERT_FALSE(second.isEmpty()) << b;
            EXPECT_NE(first.section(QLatin1Char('|'), 0, 0), second.section(QLatin1Char('|'), 0, 0))
                << a << " and " << b << " in " << rawValue(language).toStdString();
        }
    }
}

// Qt's own texts (file dialogs, standard buttons) come in Chinese from Qt's installed
// translations, which the set-up scripts install; English needs none.
TEST(Localization, QtsOwnTextsComeFromItsInstalledTranslations) {
    QTranslator english;
    EXPECT_FALSE(Localization::loadQtTexts(english, LanguageType::English));
    const std::pair<const char*, const char*> texts[] = {{"QFileDialog", "Look in:"},
                                                         {"QFileDialog", "File &name:"},
                                                         {"QFileDialog", "&Open"},
                                                         {"QPlatformTheme", "Cancel"}};
    for (LanguageType language :
         {LanguageType::SimplifiedChinese, LanguageType::TraditionalChinese}) {
        SCOPED_TRACE(rawValue(language).toStdString());
        QTranslator qtTexts;
        ASSERT_TRUE(Localization::loadQtTexts(qtTexts, language));
        for (const auto& [context, source] : texts) {
            const QString text = qtTexts.translate(context, source);
            EXPECT_FALSE(text.isEmpty()) << source;
            EXPECT_NE(text, QString::fromUtf8(source));
        }
    }
}

TEST(Localization, LooksUpTheCurrentLanguageAndAnswersLayouts) {
    Localization& texts = Localization::shared();
    texts.setLanguage(LanguageType::TraditionalChinese);
    EXPECT_EQ(localized("CANCEL"), texts.table(LanguageType::TraditionalChinese).value("CANCEL"));
    EXPECT_NE(localized("MENU_DEVICE"), texts.table(LanguageType::English).value("MENU_DEVICE"));
    EXPECT_EQ(QCoreApplication::translate("MainWindowController", "MENU_DEVICE"),
              localized("MENU_DEVICE"));
    EXPECT_EQ(localized("NO_SUCH_KEY"), "NO_SUCH_KEY");
    EXPECT_EQ(QCoreApplication::translate("Any", "Plain text"), "Plain text");
    EXPECT_EQ(localized("PORT_REMOVED").arg("/dev/ttyUSB0").count("/dev/ttyUSB0"), 1);

    texts.setLanguage(LanguageType::English);
    EXPECT_EQ(localized("CANCEL"), "Cancel");
    EXPECT_EQ(QCoreApplication::translate("MainWindowController", "MENU_DEVICE"), "Device");
}

} // namespace
