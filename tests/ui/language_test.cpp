// Texts given as language ids follow the current language.
#include "tests/ui/ui_test_support.h"
#include "ui/control_text.h"
#include "ui/resource_manager.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

using q31::test::Item;
using q31::test::TestSkin;
using q31::test::TestWindow;
using q31::test::UiFile;

namespace {

QString Text(const char* text)
{
    return QStringLiteral("<property name=\"text\"><string>%1</string></property>").arg(QString::fromUtf8(text));
}

class Language : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.Write(QStringLiteral("lang/en.json"), R"({"title": "Profiles", "tip": "Close", "item": "Static"})");
        skin.Write(QStringLiteral("lang/zh_CN.json"), R"({"title": "配置", "tip": "关闭", "item": "静态"})");
        skin.Write(QStringLiteral("XML/test.xml"),
                   UiFile(Item(QStringLiteral("QLabel"), QStringLiteral("title"), Text("%[title]")) +
                          Item(QStringLiteral("QLabel"), QStringLiteral("plain"), Text("[title] as text")) +
                          Item(QStringLiteral("QPushButton"), QStringLiteral("btn"),
                               Text("%[title]") +
                                   QStringLiteral("<property name=\"toolTip\"><string>%[tip]</string></property>")) +
                          Item(QStringLiteral("QComboBox"), QStringLiteral("combo"),
                               QStringLiteral("<item>%1</item><item>%2</item>").arg(Text("%[item]"), Text("raw")))));
        ASSERT_TRUE(resources.LoadLanguage(QStringLiteral("en.json")));
        window.Create(nullptr, QStringLiteral("test"), 0, 0);
    }

    QString LabelText(const char* name) { return qobject_cast<QLabel*>(window.Find(QString::fromLatin1(name)))->text(); }

    TestSkin skin;
    CResourceManager& resources = CResourceManager::GetInstance();
    TestWindow window{QStringLiteral("XML_TEST")};
};

}  // namespace

TEST_F(Language, ReloadTextShowsTheNewLanguageEverywhere)
{
    auto* button = qobject_cast<QPushButton*>(window.Find(QStringLiteral("btn")));
    auto* combo = qobject_cast<QComboBox*>(window.Find(QStringLiteral("combo")));
    EXPECT_EQ(LabelText("title"), QStringLiteral("Profiles"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("Close"));
    EXPECT_EQ(combo->itemText(0), QStringLiteral("Static"));

    resources.SetLanguage(QStringLiteral("Simplified Chinese"));
    ASSERT_TRUE(resources.LoadLanguage(QStringLiteral("zh_CN.json")));
    resources.ReloadText();
    EXPECT_EQ(LabelText("title"), QStringLiteral("配置"));
    EXPECT_EQ(button->text(), QStringLiteral("配置"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("关闭"));
    EXPECT_EQ(combo->itemText(0), QStringLiteral("静态"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("raw"));
    EXPECT_EQ(LabelText("plain"), QStringLiteral("[title] as text"));
    EXPECT_EQ(resources.GetLanguage(), QStringLiteral("Simplified Chinese"));
}

TEST_F(Language, TextSetByTheProgramIsNotOverwritten)
{
    auto* title = qobject_cast<QLabel*>(window.Find(QStringLiteral("title")));
    title->setText(QStringLiteral("My profile"));
    ASSERT_TRUE(resources.LoadLanguage(QStringLiteral("zh_CN.json")));
    resources.ReloadText();
    EXPECT_EQ(title->text(), QStringLiteral("My profile"));
    EXPECT_TRUE(q31::ui::TextId(title).isEmpty());
}

TEST_F(Language, IdsSetByCodeFollowReloadAndUnknownIdsShowThemselves)
{
    auto* plain = qobject_cast<QLabel*>(window.Find(QStringLiteral("plain")));
    q31::ui::SetTextId(plain, QStringLiteral("tip"));
    EXPECT_EQ(plain->text(), QStringLiteral("Close"));
    ASSERT_TRUE(resources.LoadLanguage(QStringLiteral("zh_CN.json")));
    resources.ReloadText();
    EXPECT_EQ(plain->text(), QStringLiteral("关闭"));
    q31::ui::SetTextId(plain, QStringLiteral("no_such_id"));
    EXPECT_EQ(plain->text(), QStringLiteral("no_such_id"));
}

TEST_F(Language, BrokenLanguageFileKeepsTheCurrentTexts)
{
    skin.Write(QStringLiteral("lang/bad.json"), "{\"title\": ");
    skin.Write(QStringLiteral("lang/list.json"), "[\"title\"]");
    EXPECT_FALSE(resources.LoadLanguage(QStringLiteral("bad.json")));
    EXPECT_FALSE(resources.LoadLanguage(QStringLiteral("list.json")));
    EXPECT_FALSE(resources.LoadLanguage(QStringLiteral("missing.json")));
    EXPECT_EQ(resources.GetText(QStringLiteral("title")), QStringLiteral("Profiles"));
}

TEST_F(Language, TextQueryAnswersBeforeTheTable)
{
    struct Query : IQueryControlText {
        QString QueryControlText(const QString& id, const QString&) override
        {
            return id == QLatin1String("title") ? QStringLiteral("From window") : QString();
        }
    } query;
    resources.SetTextQueryInterface(&query);
    EXPECT_EQ(resources.GetText(QStringLiteral("title")), QStringLiteral("From window"));
    EXPECT_EQ(resources.GetText(QStringLiteral("tip")), QStringLiteral("Close"));
    resources.SetTextQueryInterface(nullptr);
}

TEST(ShippedLanguages, EveryIdHasEnglishAndChinese)
{
    q31::test::ShippedSkin shipped;
    CResourceManager& resources = CResourceManager::GetInstance();
    ASSERT_TRUE(resources.LoadLanguage(QStringLiteral("en.json")));
    const QStringList ids = {QStringLiteral("msg_title"),      QStringLiteral("msg_confirm"),
                             QStringLiteral("msg_cancel"),     QStringLiteral("msg_close_tip"),
                             QStringLiteral("msg_text_default"), QStringLiteral("message_text_2"),
                             QStringLiteral("message_text_4"), QStringLiteral("message_text_5"),
                             QStringLiteral("message_text_6"), QStringLiteral("message_text_7"),
                             QStringLiteral("message_text_16"), QStringLiteral("message_text_22"),
                             QStringLiteral("message_text_25")};
    for (const QString& id : ids)
        EXPECT_TRUE(resources.HasText(id)) << "en " << id.toStdString();
    EXPECT_TRUE(resources.GetText(QStringLiteral("message_text_16")).contains(QStringLiteral("%d")));
    ASSERT_TRUE(resources.LoadLanguage(QStringLiteral("zh_CN.json")));
    for (const QString& id : ids)
        EXPECT_TRUE(resources.HasText(id)) << "zh_CN " << id.toStdString();
    EXPECT_TRUE(resources.GetText(QStringLiteral("message_text_16")).contains(QStringLiteral("%d")));
}
