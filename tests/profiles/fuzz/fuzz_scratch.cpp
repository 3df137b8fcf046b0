#include "tests/profiles/fuzz/fuzz_scratch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace q31::fuzz {

QString ScratchFolder()
{
    static const QTemporaryDir folder(
        (QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath()) +
        QStringLiteral("/q31-fuzz-XXXXXX"));
    return folder.path();
}

QString PutInput(const QString& name, const uint8_t* data, size_t size)
{
    QDir folder(ScratchFolder());
    for (const QString& file : folder.entryList(QDir::Files))
        folder.remove(file);
    const QString path = folder.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return path;
}

}  // namespace q31::fuzz
