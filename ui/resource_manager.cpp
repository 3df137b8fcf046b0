#include "ui/resource_manager.h"

#include "platform/debug_log.h"
#include "ui/control_text.h"
#include "ui/paint_manager.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamReader>

namespace {

QString UnderSkinFolder(const QString& subFolder, const QString& file)
{
    if (QDir::isAbsolutePath(file))
        return file;
    return QDir(CPaintManagerUI::GetResourcePath() + subFolder).absoluteFilePath(file);
}

}  // namespace

CResourceManager& CResourceManager::GetInstance()
{
    static CResourceManager manager;
    return manager;
}

bool CResourceManager::LoadResource(const QString& indexFile)
{
    const QString path = UnderSkinFolder(QString(), indexFile);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        OutputDebugText(QStringLiteral("resources: cannot open %1").arg(path));
        return false;
    }
    // Every element with an "id" and a "path" is one entry, whatever its tag.
    QHash<QString, QString> resources;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (attributes.hasAttribute(QStringLiteral("id")) && attributes.hasAttribute(QStringLiteral("path")))
            resources.insert(attributes.value(QStringLiteral("id")).toString(),
                             attributes.value(QStringLiteral("path")).toString());
    }
    if (xml.hasError()) {
        OutputDebugText(QStringLiteral("resources: %1 line %2: %3")
                            .arg(path)
                            .arg(xml.lineNumber())
                            .arg(xml.errorString()));
        return false;
    }
    m_resources = resources;
    return true;
}

QString CResourceManager::GetResourceFile(const QString& name) const
{
    return m_resources.value(name);
}

void CResourceManager::SetLanguage(const QString& languageName)
{
    m_language = languageName;
}

bool CResourceManager::LoadLanguage(const QString& languageFile)
{
    const QString path = UnderSkinFolder(QStringLiteral("lang/"), languageFile);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        OutputDebugText(QStringLiteral("language: cannot open %1").arg(path));
        return false;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (!document.isObject()) {
        OutputDebugText(QStringLiteral("language: %1 is not a JSON object (%2)").arg(path, error.errorString()));
        return false;
    }
    QHash<QString, QString> texts;
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.value().isString())
            texts.insert(it.key(), it.value().toString());
    }
    m_texts = texts;
    return true;
}

void CResourceManager::ReloadText()
{
    q31::ui::RefreshTexts();
}

QString CResourceManager::GetText(const QString& id, const QString& type) const
{
    if (m_query) {
        const QString answer = m_query->QueryControlText(id, type);
        if (!answer.isEmpty())
            return answer;
    }
    return m_texts.value(id, id);
}

void CResourceManager::Release()
{
    m_resources.clear();
    m_texts.clear();
    m_language.clear();
    m_query = nullptr;
}
