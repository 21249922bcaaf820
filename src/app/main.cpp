// The desktop program: Russian as the default locale, the main window with its proxy
// dialog, and the message loop until the main window closes.
#include <QLocale>

#include "platform/program_dir.h"
#include "proxy/proxy_dialog.h"
#include "window/application.h"
#include "window/main_window.h"
#include "window/message_box.h"
#include "window/translations.h"

int main(int argc, char** argv) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    window::Application app(argc, argv);
    window::InstallTranslations(app);

    // Handed to the main window, which owns it; hidden until "Proxy..." shows it.
    auto* proxyDialog = new proxy::ProxyDialog(
        nullptr, platform::ProgramDir() + QStringLiteral("config.ini"), window::ShowErrorReport);
    window::MainWindow form(nullptr, lookup::DefaultServiceRoot(), VENDRAKE_PROBE_URL, proxyDialog);
    form.show();
    return app.exec();
}
