// The desktop program: Russian as the default locale, the main window with its proxy
// dialog, and the message loop until the main window closes.
#include <QLocale>
#include <cstdio>
#include <cstring>

#include "platform/program_dir.h"
#include "proxy/proxy_dialog.h"
#include "window/application.h"
#include "window/main_window.h"
#include "window/message_box.h"
#include "window/translations.h"

namespace {

constexpr const char* kHelpText =
    "usage: vendrake [--help | --version] [Qt options]\n"
    "Looks up Russian legal entities in a mirror of the state register and shows the\n"
    "results in a second pane transliterated into the chosen language.\n"
    "\n"
    "  -h, --help       show this help and exit\n"
    "  --version        show the version and exit\n"
    "  -platform NAME   the Qt platform plugin to use (xcb, wayland, offscreen, ...)\n"
    "\n"
    "Settings are kept in ~/.config/Quillmarsh/Vendrake.conf, the proxy settings in\n"
    "config.ini beside the program or in ~/.config/Quillmarsh/Vendrake/config.ini.\n"
    "Without a proxy chosen in the proxy settings, http_proxy and no_proxy apply.\n"
    "\n"
    "Exit status: 0 when the window was closed; not 0 when it could not be shown (for\n"
    "instance without a display).\n";

// --help and --version are answered before the application object exists, so that
// they work without a display.
int AnswerWithoutDisplay(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelpText, stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs("vendrake " VENDRAKE_VERSION "\n", stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int answered = AnswerWithoutDisplay(argc, argv); answered >= 0)
        return answered;

    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    window::Application app(argc, argv);
    window::InstallTranslations(app);

    // Handed to the main window, which owns it; hidden until "Proxy..." shows it.
    auto* proxyDialog = new proxy::ProxyDialog(
        nullptr, platform::ProgramDir() + QStringLiteral("config.ini"), window::ShowErrorReport);
    window::MainWindow form(nullptr, lookup::DefaultServiceRoot(), lookup::DefaultProbeUrl(),
                            proxyDialog);
    form.show();
    return app.exec();
}
