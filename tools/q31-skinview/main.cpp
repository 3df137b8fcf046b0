// q31-skinview: renders a skin file to a PNG without running the program.
//   q31-skinview [--dpi 96] [--lang en.json] [--data <data folder>]
//                [--text <control>=<text id> ...] <skin> <out.png>
// <skin> is a resource name of res.xml ("XML_MSG"), a path under the skin folder
// or an absolute path (controls_sample.xml here shows every custom control).
#include "controls/control_registration.h"
#include "platform/folders.h"
#include "ui/control_factory.h"
#include "ui/control_text.h"
#include "ui/resource_manager.h"
#include "ui/window_impl_base.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>

namespace {

class SkinPreview : public WindowImplBase {
public:
    explicit SkinPreview(QString skin) : m_skin(std::move(skin)) {}
    QString GetSkinFile() override { return m_skin; }
    QString GetWindowClassName() const override { return QStringLiteral("SkinPreview"); }

private:
    QString m_skin;
};

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders a Q-31 skin file to a PNG image."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("dpi"), QStringLiteral("DPI to render at (default 96)."), QStringLiteral("dpi"),
                      QStringLiteral("96")});
    parser.addOption({QStringLiteral("lang"), QStringLiteral("Language file under skin/lang (default en.json)."),
                      QStringLiteral("file"), QStringLiteral("en.json")});
    parser.addOption({QStringLiteral("data"), QStringLiteral("The program's data folder."), QStringLiteral("folder")});
    parser.addOption({QStringLiteral("text"), QStringLiteral("Shows a text id in a control (repeatable)."),
                      QStringLiteral("control=id")});
    parser.addPositionalArgument(QStringLiteral("skin"), QStringLiteral("Resource name or path under skin/."));
    parser.addPositionalArgument(QStringLiteral("out"), QStringLiteral("PNG file to write."));
    parser.process(app);
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != 2)
        parser.showHelp(2);

    if (parser.isSet(QStringLiteral("data")))
        q31::SetProgramDataFolder(parser.value(QStringLiteral("data")));
    q31::controls::RegisterControls(CControlFactory::GetInstance());
    CResourceManager& resources = CResourceManager::GetInstance();
    resources.LoadResource(QStringLiteral("res.xml"));
    if (!resources.LoadLanguage(parser.value(QStringLiteral("lang"))))
        std::fprintf(stderr, "q31-skinview: language file not loaded, ids are shown\n");

    SkinPreview preview(arguments[0]);
    QWidget* window = preview.Create(nullptr, QStringLiteral("skinview"), 0, 0);
    for (const QString& assignment : parser.values(QStringLiteral("text"))) {
        const QString control = assignment.section(QLatin1Char('='), 0, 0);
        if (QWidget* target = preview.GetPaintManager().FindControl(control))
            q31::ui::SetTextId(target, assignment.section(QLatin1Char('='), 1));
        else
            std::fprintf(stderr, "q31-skinview: no control %s\n", qPrintable(control));
    }
    preview.GetPaintManager().SetDPI(parser.value(QStringLiteral("dpi")).toInt());
    window->show();
    QApplication::processEvents();
    const QPixmap image = window->grab();
    if (!image.save(arguments[1], "PNG")) {
        std::fprintf(stderr, "q31-skinview: cannot write %s\n", qPrintable(arguments[1]));
        return 1;
    }
    std::printf("%s: %dx%d\n", qPrintable(arguments[1]), image.width(), image.height());
    return 0;
}
