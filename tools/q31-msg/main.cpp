// q31-msg: sends a registered message, or a COPYDATA record, to a running Q-31
// (or any window on its message bus).
#include "platform/bus_client.h"
#include "platform/registered_message.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <optional>

namespace {

constexpr int kDelivered = 0;
constexpr int kNoReceiver = 1;
constexpr int kBadArguments = 2;

const char kUsage[] =
    "usage: q31-msg [--to CLASS] [--title TITLE] NAME [WPARAM [LPARAM]]\n"
    "       q31-msg --to CLASS [--title TITLE] --copydata DWDATA FILE\n"
    "Sends the registered message NAME to the window of class CLASS (and title\n"
    "TITLE) and prints its answer, or to every window when no --to is given.\n"
    "Exit status: 0 delivered, 1 no receiver, 2 bad arguments.\n";

int Usage(const char* problem)
{
    std::fprintf(stderr, "q31-msg: %s\n%s", problem, kUsage);
    return kBadArguments;
}

template <typename T>
std::optional<T> ParseNumber(const QString& text)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok, 0);
    return ok ? std::optional<T>(static_cast<T>(value)) : std::nullopt;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QStringList args = application.arguments().mid(1);
    QString className;
    QString title;
    std::optional<QStringList> copyData;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--help")) {
            std::fputs(kUsage, stdout);
            return kDelivered;
        }
        const int needed = option == QLatin1String("--copydata") ? 2 : 1;
        if (args.size() < needed)
            return Usage("an option is missing its value");
        if (option == QLatin1String("--to"))
            className = args.takeFirst();
        else if (option == QLatin1String("--title"))
            title = args.takeFirst();
        else if (option == QLatin1String("--copydata"))
            copyData = QStringList{args.takeFirst(), args.takeFirst()};
        else
            return Usage("unknown option");
    }
    const bool addressed = !className.isEmpty() || !title.isEmpty();

    if (copyData) {
        const auto dwData = ParseNumber<quint64>(copyData->at(0));
        if (!args.isEmpty() || !dwData)
            return Usage("--copydata takes a number and a file, and nothing else");
        if (!addressed)
            return Usage("--copydata needs --to or --title");
        QFile file(copyData->at(1));
        if (!file.open(QIODevice::ReadOnly))
            return Usage("cannot read the COPYDATA file");
        const QByteArray data = file.readAll();
        const auto result = q31::bus::SendCopyData(className, title, 0, *dwData, data);
        if (!result) {
            std::fprintf(stderr, "q31-msg: no window took the record (none running, or it is over 64 KiB)\n");
            return kNoReceiver;
        }
        std::printf("%lld\n", static_cast<long long>(*result));
        return kDelivered;
    }

    if (args.isEmpty() || args.size() > 3)
        return Usage("give a message name and at most two numbers");
    const std::optional<WPARAM> wParam = args.size() > 1 ? ParseNumber<WPARAM>(args[1]) : WPARAM(0);
    const std::optional<LPARAM> lParam = args.size() > 2 ? ParseNumber<LPARAM>(args[2]) : LPARAM(0);
    if (!wParam || !lParam)
        return Usage("WPARAM and LPARAM are numbers (decimal, or hexadecimal with 0x)");
    const UINT message = RegisterWindowMessage(args[0].toStdString());

    if (!addressed) {
        const int reached = q31::bus::BroadcastBusMessage(message, *wParam, *lParam);
        if (reached == 0) {
            std::fprintf(stderr, "q31-msg: no window is running to receive \"%s\"\n", qPrintable(args[0]));
            return kNoReceiver;
        }
        return kDelivered;
    }
    const auto result = q31::bus::SendBusMessage(className, title, message, *wParam, *lParam);
    if (!result) {
        std::fprintf(stderr, "q31-msg: no window \"%s\" \"%s\" answered\n", qPrintable(className), qPrintable(title));
        return kNoReceiver;
    }
    std::printf("%lld\n", static_cast<long long>(*result));
    return kDelivered;
}
