// Reading and writing the parameter file: exact length, nothing lost on failure.

#include "OVX_Configurator/device/ParameterFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray block(int length, char first = 1) {
    QByteArray bytes(length, '\0');
    for (int i = 0; i < length; ++i)
        bytes[i] = char(first + i);
    return bytes;
}

bool writeRaw(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

TEST(ParameterFile, ReadsOnlyAFileOfExactlyTheBlockLength) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        const char* what;
        int fileLength; // -1: no file; -2: a directory
        std::int64_t length;
        ParameterFile::Status status;
    };
    const Case cases[] = {
        {"exact", 91, 91, ParameterFile::Status::Read},
        {"one byte more", 92, 91, ParameterFile::Status::BadFormat},
        {"one byte less", 90, 91, ParameterFile::Status::BadFormat},
        {"a 96-byte block where 93 are kept", 96, 93, ParameterFile::Status::BadFormat},
        {"empty file", 0, 71, ParameterFile::Status::BadFormat},
        {"no unit identified", 71, 0, ParameterFile::Status::BadFormat},
        {"no file", -1, 71, ParameterFile::Status::Missing},
        {"a directory", -2, 71, ParameterFile::Status::BadFormat},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath(QStringLiteral("block%1.dat").arg(++n));
        if (c.fileLength >= 0) {
            ASSERT_TRUE(writeRaw(path, block(c.fileLength)));
        } else if (c.fileLength == -2) {
            ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("block%1.dat").arg(n)));
        }
        const QByteArray before = "kept";
        QByteArray data = before;
        EXPECT_EQ(ParameterFile::read(path, c.length, data), c.status);
        EXPECT_EQ(data, c.status == ParameterFile::Status::Read ? block(c.fileLength) : before);
    }
}

TEST(ParameterFile, WritingReplacesTheFileWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("block.dat");
    ASSERT_TRUE(writeRaw(path, block(200, 9)));
    ASSERT_TRUE(ParameterFile::write(path, block(91)));
    QByteArray data;
    EXPECT_EQ(ParameterFile::read(path, 91, data), ParameterFile::Status::Read);
    EXPECT_EQ(data, block(91));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"block.dat"});
}

TEST(ParameterFile, AFailedWriteLeavesWhatWasThere) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // No folder to write into: false, and no file appears.
    EXPECT_FALSE(ParameterFile::write(dir.filePath("missing/block.dat"), block(71)));
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/block.dat")));
    // A folder where the file should go cannot be replaced by it; what it holds stays.
    ASSERT_TRUE(QDir(dir.path()).mkpath("taken.dat"));
    ASSERT_TRUE(writeRaw(dir.filePath("taken.dat/inside"), block(3)));
    EXPECT_FALSE(ParameterFile::write(dir.filePath("taken.dat"), block(71)));
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.dat")).isDir());
    EXPECT_TRUE(QFile::exists(dir.filePath("taken.dat/inside")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"taken.dat"}); // no temporary file left behind
}

} // namespace
