// Arbitrary config.ini bytes through the reader, and the written form read back.
#include <cstddef>
#include <cstdint>

#include "config/config_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::Init();
    fuzzsupport::WriteFile(QStringLiteral("config.ini"),
                           std::string_view(reinterpret_cast<const char*>(data), size));
    const auto loaded = config::LoadConfigFile(
        fuzzsupport::Scratch() + QStringLiteral("config.ini"), config::ProxyDialogState{});
    // What the program writes must read back as the same settings whenever the
    // values hold no line break and no key of their own (a value such as "proxy=x"
    // written on the "port=" line is read by both keys: the format cannot say
    // otherwise).
    const auto& s = loaded.state;
    const auto plain = [](const std::string& v) {
        return v.find_first_of("\r\n") == std::string::npos &&
               v.find("proxy=") == std::string::npos && v.find("port=") == std::string::npos &&
               v.find("EnabledProxy=") == std::string::npos;
    };
    if (plain(s.address) && plain(s.port)) {
        fuzzsupport::WriteFile(QStringLiteral("config2.ini"), config::ConfigFileText(s));
        const auto again = config::LoadConfigFile(
            fuzzsupport::Scratch() + QStringLiteral("config2.ini"), config::ProxyDialogState{});
        if (!again.error.isEmpty() || again.state.proxyChecked != s.proxyChecked ||
            again.state.address != s.address || again.state.port != s.port)
            __builtin_trap();
    }
    return 0;
}
