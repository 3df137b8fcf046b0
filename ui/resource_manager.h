#pragma once
// The skin's resource index ("res.xml": resource name -> file) and the language
// table (text id -> text of the current language).
#include <QHash>
#include <QString>

// Lets a window answer text ids itself before the language table does.
class IQueryControlText {
public:
    virtual ~IQueryControlText() = default;
    // Empty when the window has no text of its own for the id.
    virtual QString QueryControlText(const QString& id, const QString& type) = 0;
};

class CResourceManager {
public:
    static CResourceManager& GetInstance();

    // Reads the index, a path under the skin folder or absolute; false (with a
    // debug line) when it is missing or malformed, and the old index stays.
    bool LoadResource(const QString& indexFile);
    // The file of a resource name, relative to the skin folder; empty when unknown.
    QString GetResourceFile(const QString& name) const;

    void SetLanguage(const QString& languageName);
    QString GetLanguage() const { return m_language; }
    // Reads a language file (a JSON object of id -> text), a path under the skin
    // folder's "lang/" or absolute. On failure the current texts stay.
    bool LoadLanguage(const QString& languageFile);
    // Shows the current language's texts in every control bound to a text id.
    void ReloadText();
    // The text of an id in the current language; the id itself when unknown.
    QString GetText(const QString& id, const QString& type = QString()) const;
    bool HasText(const QString& id) const { return m_texts.contains(id); }

    void SetTextQueryInterface(IQueryControlText* query) { m_query = query; }
    // Forgets the index, the texts and the text query.
    void Release();

private:
    CResourceManager() = default;
    QHash<QString, QString> m_resources;
    QHash<QString, QString> m_texts;
    QString m_language;
    IQueryControlText* m_query = nullptr;
};
