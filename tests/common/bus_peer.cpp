// A second process for the message bus tests.
//   bus_peer register NAME        prints the number NAME registers as
//   bus_peer listen CLASS TITLE   opens the window, prints "ready", then one
//                                 line per delivery; a Send is answered with
//                                 lParam + 1, a COPYDATA with its size; the
//                                 registered message "bus-peer-quit" ends it.
#include "platform/bus_endpoint.h"
#include "platform/registered_message.h"

#include <QCoreApplication>
#include <QCryptographicHash>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("register")) {
        std::printf("%u\n", RegisterWindowMessage(args[2].toStdString()));
        return 0;
    }
    if (args.size() != 4 || args[1] != QLatin1String("listen"))
        return 2;
    const UINT quit = RegisterWindowMessage("bus-peer-quit");
    q31::bus::CBusEndpoint endpoint([&](const q31::bus::BusDelivery& delivery) -> LRESULT {
        if (delivery.isCopyData) {
            const QByteArray digest = QCryptographicHash::hash(delivery.data, QCryptographicHash::Sha256).toHex();
            std::printf("copy %llu %llu %lld %s\n", static_cast<unsigned long long>(delivery.dwData),
                        static_cast<unsigned long long>(delivery.wParam), static_cast<long long>(delivery.data.size()),
                        digest.constData());
            std::fflush(stdout);
            return delivery.data.size();
        }
        std::printf("msg %u %llu %lld\n", delivery.message, static_cast<unsigned long long>(delivery.wParam),
                    static_cast<long long>(delivery.lParam));
        std::fflush(stdout);
        if (delivery.message == quit)
            app.quit();
        return delivery.lParam + 1;
    });
    if (!endpoint.Open(args[2], args[3]))
        return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
