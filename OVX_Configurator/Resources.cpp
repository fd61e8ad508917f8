#include "OVX_Configurator/Resources.h"

#include <QFile>
#include <QIcon>
#include <QImageReader>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerShellResources() {
    Q_INIT_RESOURCE(shell);
    Q_INIT_RESOURCE(firmware);
}

void loadResources() {
    static const bool done = (registerShellResources(), true);
    (void)done;
}

QString imagePath(const QString& name) {
    loadResources();
    for (const char* suffix : {".svg", ".png"}) {
        QString path = QStringLiteral(":/images/") + name + QLatin1String(suffix);
        if (QFile::exists(path))
            return path;
    }
    return {};
}

QPixmap imageNamed(const QString& name, QSize size) {
    QString path = imagePath(name);
    if (path.isEmpty())
        return {};
    QImageReader reader(path);
    if (size.isValid())
        reader.setScaledSize(size);
    return QPixmap::fromImageReader(&reader);
}

QIcon iconNamed(const QString& name) {
    QString path = imagePath(name);
    return path.isEmpty() ? QIcon() : QIcon(path);
}
