// The desktop program: Russian as the default locale, the main window with its proxy
// dialog, and the message loop until the main window closes.
#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <cstring>

#include "config/default_addresses.h"
#include "platform/program_dir.h"
#include "window/application.h"
#include "window/archive_recording.h"
#include "window/main_window.h"
#include "window/message_box.h"
#include "window/proxy_dialog.h"
#include "window/translations.h"

namespace {

constexpr const char* kHelpText =
    "usage: vendrake [--help | --version] [--archive PATH | --no-archive] [Qt options]\n"
    "Looks up Russian legal entities in a mirror of the state register and shows the\n"
    "results in a second pane transliterated into the chosen language.\n"
    "\n"
    "  -h, --help       show this help and exit\n"
    "  --version        show the version and exit\n"
    "  --archive PATH   record every check in the lookup archive at PATH\n"
    "                   (by default ~/.local/share/Quillmarsh/Vendrake/archive.sqlite)\n"
    "  --no-archive     record nothing\n"
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

    window::Application app(argc, argv);
    window::InstallTranslations(app);
    // The archive options; Qt has taken its own out of the arguments by now.
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--no-archive")) {
            window::UseArchive(std::nullopt);
        } else if (arguments[i] == QStringLiteral("--archive") && i + 1 < arguments.size()) {
            window::UseArchive(QFile::encodeName(arguments[++i]).toStdString());
        }
    }

    // Handed to the main window, which owns it; hidden until "Proxy..." shows it.
    auto* proxyDialog = new window::ProxyDialog(
        nullptr, platform::ProgramDir() + QStringLiteral("config.ini"), window::ShowErrorReport);
    window::MainWindow mainWindow(nullptr, config::DefaultServiceRoot(), config::DefaultProbeUrl(),
                                  proxyDialog);
    mainWindow.show();
    return app.exec();
}
