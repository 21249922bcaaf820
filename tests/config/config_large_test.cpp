// config.ini of about 10 MB: many lines, one huge line, binary junk. Each is read
// to the end with the lines' usual meaning and bounded memory.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QTemporaryDir>

#include "config/config_file.h"

namespace {

constexpr std::size_t kTenMB = 10u * 1000u * 1000u;

long PeakRssMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

class LargeConfig : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path = dir.filePath("config.ini");

    config::ConfigLoadResult Load(const std::string& bytes) {
        EXPECT_TRUE(config::WriteTextFile(path, bytes));
        config::ProxyDialogState initial;
        initial.address = config::kDefaultProxyAddress;
        return config::LoadConfigFile(path, initial);
    }
};

}  // namespace

TEST_F(LargeConfig, TenMegabytesOfLinesAreReadToTheEnd) {
    std::string text = "[Setting]\r\n";
    for (int i = 0; text.size() < kTenMB; ++i) {
        text += "note" + std::to_string(i) + "=nothing to see here\r\n";
        if (i % 100000 == 0) {
            text += "EnabledProxy=0\r\nproxy=10.0.0." + std::to_string(i % 250) + "\r\n";
        }
    }
    text += "EnabledProxy=1\r\nproxy=192.168.1.7\r\nport=3128\r\n";

    const long before = PeakRssMiB();
    const auto r = Load(text);
    EXPECT_LT(PeakRssMiB() - before, 100);
    EXPECT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    EXPECT_TRUE(r.state.proxyChecked);
    EXPECT_FALSE(r.state.systemChecked);
    EXPECT_EQ(r.state.address, "192.168.1.7");  // the last line of each kind wins
    EXPECT_EQ(r.state.port, "3128");
}

TEST_F(LargeConfig, OneHugeLineOrBinaryJunkIsReadWithoutHarm) {
    // One line of 10 MB: it is the address, as a short line would be.
    const auto huge = Load("proxy=" + std::string(kTenMB, 'a') + "\r\nport=81\r\n");
    EXPECT_TRUE(huge.error.isEmpty());
    EXPECT_EQ(huge.state.address.size(), kTenMB);
    EXPECT_EQ(huge.state.port, "81");

    // Binary junk without any key: nothing changes and nothing fails.
    std::string junk(kTenMB, '\0');
    unsigned state = 12345;
    for (char& c : junk) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>((state >> 16) & 0x7f);
        if (c == '=') {
            c = '#';
        }
    }
    const auto r = Load(junk);
    EXPECT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    EXPECT_TRUE(r.state.systemChecked);
    EXPECT_EQ(r.state.address, "127.0.0.1");
    EXPECT_EQ(r.state.port, "8080");

    // A bad value after megabytes of lines still names itself.
    const auto bad = Load(std::string(kTenMB, '\n') + "EnabledProxy=maybe\r\n");
    EXPECT_EQ(bad.error, QStringLiteral("'maybe' is not a valid boolean value"));
}
