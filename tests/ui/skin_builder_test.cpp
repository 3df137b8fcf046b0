// Building windows from skins: class lookup order, the resource index, and
// broken skins that must never take the program down.
#include "tests/ui/ui_test_support.h"
#include "ui/button_ui.h"
#include "ui/control_factory.h"
#include "ui/dialog_builder.h"
#include "ui/resource_manager.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

using q31::test::Item;
using q31::test::TestSkin;
using q31::test::TestWindow;
using q31::test::UiFile;

namespace {

class Marked : public QLabel {
public:
    Marked(QWidget* parent, QString origin) : QLabel(parent), origin(std::move(origin)) {}
    QString origin;
};

}  // namespace

TEST(SkinBuilder, CustomClassesComeFromTheWindowFirstThenTheFactory)
{
    TestSkin skin;
    skin.Write(QStringLiteral("XML/test.xml"),
               UiFile(Item(QStringLiteral("DeviceKeyButton"), QStringLiteral("key_1")) +
                      Item(QStringLiteral("SelectPanel"), QStringLiteral("panel")) +
                      Item(QStringLiteral("Button"), QStringLiteral("plain"))));
    CControlFactory::GetInstance().RegisterControlClass(
        QStringLiteral("DeviceKeyButton"), [](QWidget* parent) { return new Marked(parent, QStringLiteral("factory")); });
    CControlFactory::GetInstance().RegisterControlClass(
        QStringLiteral("SelectPanel"), [](QWidget* parent) { return new Marked(parent, QStringLiteral("factory")); });

    TestWindow window(QStringLiteral("XML_TEST"));
    QStringList asked;
    window.createControl = [&](const QString& className, QWidget* parent) -> QWidget* {
        asked << className;
        return className == QLatin1String("SelectPanel") ? new Marked(parent, QStringLiteral("window")) : nullptr;
    };
    window.Create(nullptr, QStringLiteral("test"), 0, 0);

    EXPECT_TRUE(asked.contains(QStringLiteral("DeviceKeyButton")));
    EXPECT_TRUE(asked.contains(QStringLiteral("SelectPanel")));
    EXPECT_FALSE(asked.contains(QStringLiteral("QVBoxLayout")));
    auto* key = dynamic_cast<Marked*>(window.Find(QStringLiteral("key_1")));
    auto* panel = dynamic_cast<Marked*>(window.Find(QStringLiteral("panel")));
    ASSERT_TRUE(key && panel);
    EXPECT_EQ(key->origin, QStringLiteral("factory"));
    EXPECT_EQ(panel->origin, QStringLiteral("window"));
    EXPECT_NE(qobject_cast<CButtonUI*>(window.Find(QStringLiteral("plain"))), nullptr);
    EXPECT_EQ(window.initCalls, 1);
}

TEST(SkinBuilder, UnknownClassBecomesAnEmptyPlaceholder)
{
    TestSkin skin;
    skin.Write(QStringLiteral("XML/test.xml"),
               UiFile(Item(QStringLiteral("NoSuchControl"), QStringLiteral("ghost")) +
                      Item(QStringLiteral("QPushButton"), QStringLiteral("after"))));
    TestWindow window(QStringLiteral("XML_TEST"));
    window.Create(nullptr, QStringLiteral("test"), 0, 0);
    ASSERT_NE(window.Find(QStringLiteral("ghost")), nullptr);
    EXPECT_NE(qobject_cast<QPushButton*>(window.Find(QStringLiteral("after"))), nullptr);
}

TEST(SkinBuilder, MissingOrMalformedSkinGivesAnEmptyWindow)
{
    TestSkin skin;
    skin.Write(QStringLiteral("XML/broken.xml"), "<ui version=\"4.0\"><widget class=\"QWidget\" name=\"root\">");
    for (const QString& name : {QStringLiteral("XML/none.xml"), QStringLiteral("XML/broken.xml")}) {
        EXPECT_EQ(CDialogBuilder::Create(name, nullptr, nullptr), nullptr) << name.toStdString();
        TestWindow window(name);
        QWidget* host = window.Create(nullptr, QStringLiteral("test"), 0, 0);
        ASSERT_NE(host, nullptr);
        EXPECT_NE(window.GetPaintManager().GetRoot(), nullptr);
        EXPECT_EQ(window.Find(QStringLiteral("anything")), nullptr);
        EXPECT_EQ(window.initCalls, 1);
    }
}

TEST(SkinBuilder, SubTreesKeepTheirPathsAndFindSubControlByName)
{
    TestSkin skin;
    skin.Write(QStringLiteral("XML/CustomControlXML/DeviceOption.xml"),
               UiFile(Item(QStringLiteral("QLabel"), QStringLiteral("device_select_name"))));
    std::unique_ptr<QWidget> option(
        CDialogBuilder::Create(QStringLiteral("XML/CustomControlXML/DeviceOption.xml"), nullptr, nullptr));
    ASSERT_NE(option, nullptr);
    EXPECT_NE(CPaintManagerUI::FindSubControlByName(option.get(), QStringLiteral("device_select_name")), nullptr);
    EXPECT_EQ(CPaintManagerUI::FindSubControlByName(option.get(), QStringLiteral("missing")), nullptr);
    EXPECT_EQ(CPaintManagerUI::FindSubControlByName(nullptr, QStringLiteral("device_select_name")), nullptr);
}

TEST(SkinBuilder, ResourceIndexMapsNamesAndSurvivesABrokenIndex)
{
    TestSkin skin;
    CResourceManager& resources = CResourceManager::GetInstance();
    EXPECT_EQ(resources.GetResourceFile(QStringLiteral("XML_TEST")), QStringLiteral("XML/test.xml"));
    EXPECT_TRUE(resources.GetResourceFile(QStringLiteral("XML_NONE")).isEmpty());

    skin.Write(QStringLiteral("bad.xml"), "<Res><XML id=\"XML_OTHER\" path=\"x.xml\"></Res>");
    EXPECT_FALSE(resources.LoadResource(QStringLiteral("bad.xml")));
    EXPECT_FALSE(resources.LoadResource(QStringLiteral("missing.xml")));
    EXPECT_EQ(resources.GetResourceFile(QStringLiteral("XML_TEST")), QStringLiteral("XML/test.xml"));
    EXPECT_TRUE(resources.GetResourceFile(QStringLiteral("XML_OTHER")).isEmpty());
}

TEST(SkinBuilder, SkinAttributesReachTheControls)
{
    TestSkin skin;
    skin.Write(QStringLiteral("XML/test.xml"),
               UiFile(Item(QStringLiteral("Button"), QStringLiteral("swatch"),
                           QStringLiteral("<property name=\"bkcolor\" stdset=\"0\"><string>#FF00FF00</string></property>"
                                          "<property name=\"userdata\" stdset=\"0\"><string>1</string></property>"))));
    TestWindow window(QStringLiteral("XML_TEST"));
    window.Create(nullptr, QStringLiteral("test"), 0, 0);
    auto* swatch = qobject_cast<CButtonUI*>(window.Find(QStringLiteral("swatch")));
    ASSERT_NE(swatch, nullptr);
    EXPECT_EQ(swatch->GetBkColor(), 0xFF00FF00u);
    EXPECT_EQ(q31::ui::GetUserData(swatch), QStringLiteral("1"));
}
