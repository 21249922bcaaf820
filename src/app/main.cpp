// The desktop program: Russian as the default locale, the main window, the proxy
// dialog beside it, and the message loop until the main window closes.
#include <QLocale>

#include "platform/program_dir.h"
#include "proxy/proxy_form.h"
#include "window/application.h"
#include "window/main_window.h"

int main(int argc, char** argv) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    window::Application app(argc, argv);

    window::TForm1 form;
    // Owned by the main window; hidden until "Proxy..." shows it.
    new proxy::TProxyForm(&form, platform::ProgramDir() + QStringLiteral("config.ini"));
    form.show();
    return app.exec();
}
