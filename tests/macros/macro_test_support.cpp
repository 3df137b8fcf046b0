#include "tests/macros/macro_test_support.h"

#include "profiles/json_file.h"
#include "ui/control_factory.h"
#include "ui/dialog_builder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace q31::macros::test {

std::unique_ptr<CMacroControlUI> BuildMacroEditor()
{
    RegisterMacroControls(CControlFactory::GetInstance());
    QWidget* root = CDialogBuilder::Create(QStringLiteral("XML/CustomControlXML/MacroControl.xml"), nullptr, nullptr);
    auto* editor = qobject_cast<CMacroControlUI*>(root);
    if (!editor)
        delete root;
    return std::unique_ptr<CMacroControlUI>(editor);
}

Json::Value Event(const char* action, int type, int button, const std::string& delay)
{
    Json::Value event(Json::objectValue);
    event["Action"] = action;
    event["Type"] = type;
    event["Button"] = button;
    event["Delay"] = delay;
    return event;
}

void WriteFolder(const QString& folder, const std::vector<std::pair<QString, Json::Value>>& macros)
{
    const MacroFolder files(folder);
    std::vector<MacroEntry> entries;
    for (const auto& [guid, events] : macros) {
        entries.push_back({QStringLiteral("name of ") + guid, guid});
        Json::Value document(Json::objectValue);
        document["Guid"] = guid.toStdString();
        document["Events"] = events;
        document["Version"] = 64;
        ASSERT_TRUE(files.WriteMacroDocument(guid, document));
    }
    ASSERT_TRUE(files.WriteList(entries));
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void PutFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

}  // namespace q31::macros::test
