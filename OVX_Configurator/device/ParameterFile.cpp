#include "OVX_Configurator/device/ParameterFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

ParameterFile::Status ParameterFile::read(const QString& path, std::int64_t length,
                                          std::uint8_t dataVersion, QByteArray& block) {
    const QFileInfo info(path);
    if (!info.exists())
        return Status::Missing;
    QFile file(path);
    if (!info.isFile() || length <= 0 || info.size() != length || !file.open(QIODevice::ReadOnly))
        return Status::BadFormat;
    QByteArray bytes = file.read(length + 1); // one more: a file that grew meanwhile is refused
    if (bytes.size() != length || length <= dataVersionOffset ||
        std::uint8_t(bytes[dataVersionOffset]) != dataVersion)
        return Status::BadFormat;
    block = std::move(bytes);
    return Status::Read;
}

bool ParameterFile::write(const QString& path, const QByteArray& block) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(block) == block.size() && file.commit();
}
