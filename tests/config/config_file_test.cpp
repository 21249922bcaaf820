#include "config/config_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using config::ProxyDialogState;

class ConfigFileTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path = dir.filePath("config.ini");
    ProxyDialogState initial = [] {
        ProxyDialogState s;
        s.address = config::kDefaultProxyAddress;
        return s;
    }();

    config::ConfigLoadResult Load(const std::string& bytes) {
        EXPECT_TRUE(config::WriteTextFile(path, bytes));
        return config::LoadConfigFile(path, initial);
    }
};

TEST_F(ConfigFileTest, MissingFileKeepsTheDefaults) {
    const auto r = config::LoadConfigFile(path, initial);
    EXPECT_TRUE(r.error.isEmpty());
    EXPECT_TRUE(r.state.systemChecked);
    EXPECT_FALSE(r.state.proxyChecked);
    EXPECT_FALSE(r.state.boxesEnabled);
    EXPECT_EQ(r.state.address, "127.0.0.1");
    EXPECT_EQ(r.state.port, "8080");
}

TEST_F(ConfigFileTest, EnabledProxyValues) {
    for (const char* on : {"1", "2", "-1", "true", "TRUE", "tRuE", "1.5"}) {
        const auto r = Load(std::string("EnabledProxy=") + on + "\r\n");
        EXPECT_TRUE(r.error.isEmpty()) << on;
        EXPECT_TRUE(r.state.proxyChecked) << on;
        EXPECT_FALSE(r.state.systemChecked) << on;
        EXPECT_TRUE(r.state.boxesEnabled) << on;
        EXPECT_EQ(r.state.address, "127.0.0.1");
        EXPECT_EQ(r.state.port, "8080");
    }
    for (const char* off : {"0", "00", "0.0", "false", "False"}) {
        const auto r = Load(std::string("EnabledProxy=") + off);
        EXPECT_TRUE(r.error.isEmpty()) << off;
        EXPECT_FALSE(r.state.proxyChecked) << off;
        EXPECT_TRUE(r.state.systemChecked) << off;
        EXPECT_FALSE(r.state.boxesEnabled) << off;
    }
}

TEST_F(ConfigFileTest, OneThenZeroLeavesNeitherChoiceWithBoxesEnabled) {
    const auto r = Load("[Setting]\r\nEnabledProxy=1\r\nEnabledProxy=0\r\n");
    EXPECT_FALSE(r.state.proxyChecked);
    EXPECT_FALSE(r.state.systemChecked);
    EXPECT_TRUE(r.state.boxesEnabled);
    EXPECT_FALSE(config::SettingsOf(r.state).useProxy);
}

TEST_F(ConfigFileTest, BadBooleanStopsReadingAndKeepsWhatWasRead) {
    auto r = Load("proxy=10.1.1.1\r\nEnabledProxy=\r\nport=9999\r\n");
    EXPECT_EQ(r.error, "'' is not a valid boolean value");
    EXPECT_EQ(r.state.address, "10.1.1.1");
    EXPECT_EQ(r.state.port, "8080");
    EXPECT_FALSE(r.state.proxyChecked);

    r = Load("EnabledProxy=yes proxy=1.2.3.4\r\n");  // the line's other keys are not applied
    EXPECT_EQ(r.error, "'yes proxy=1.2.3.4' is not a valid boolean value");
    EXPECT_EQ(r.state.address, "127.0.0.1");
    r = Load("EnabledProxy=1e\r\n");
    EXPECT_EQ(r.error, "'1e' is not a valid boolean value");
}

TEST_F(ConfigFileTest, ValuesAreTakenAsWrittenAndKeysMatchAnywhere) {
    const auto r = Load(
        "port=123456abc\n"
        "myproxy= 10.0.0.1 \r"
        "import=a=b\r\n"
        "PROXY=9.9.9.9\r\n"
        "proxy=1.1.1.1\n"
        "some proxy=2.2.2.2");
    EXPECT_TRUE(r.error.isEmpty());
    EXPECT_EQ(r.state.address, "2.2.2.2");  // last wins, lines end at CR, LF or CR LF
    EXPECT_EQ(r.state.port, "a=b");
    EXPECT_TRUE(r.state.systemChecked);

    const auto r2 = Load("myproxy= 10.0.0.1 \r\nport=123456abc\r\n");
    EXPECT_EQ(r2.state.address, " 10.0.0.1 ");
    EXPECT_EQ(r2.state.port, "123456abc");
}

TEST_F(ConfigFileTest, WrittenTextIsExactAndReadsBack) {
    ProxyDialogState s;
    s.systemChecked = false;
    s.proxyChecked = true;
    s.boxesEnabled = true;
    s.address = "192.168.0.1";
    s.port = "3128";
    const std::string text = config::ConfigFileText(s);
    EXPECT_EQ(text, "[Setting]\r\nEnabledProxy=1\r\nproxy=192.168.0.1\r\nport=3128\r\n");

    ASSERT_TRUE(config::WriteTextFile(path, std::string(1000, 'x')));
    ASSERT_TRUE(config::WriteTextFile(path, text));  // replaces, not appends
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), text);

    const auto r = config::LoadConfigFile(path, initial);
    EXPECT_TRUE(r.error.isEmpty());
    EXPECT_TRUE(r.state.proxyChecked);
    EXPECT_FALSE(r.state.systemChecked);
    EXPECT_TRUE(r.state.boxesEnabled);
    EXPECT_EQ(r.state.address, "192.168.0.1");
    EXPECT_EQ(r.state.port, "3128");

    const config::ProxySettings ps = config::SettingsOf(r.state);
    EXPECT_TRUE(ps.useProxy);
    EXPECT_EQ(ps.host, "192.168.0.1");
    EXPECT_EQ(ps.port, "3128");

    s.proxyChecked = false;
    s.address.clear();
    EXPECT_EQ(config::ConfigFileText(s), "[Setting]\r\nEnabledProxy=0\r\nproxy=\r\nport=3128\r\n");
}

// Host names and IPv6 addresses keep the four lines; only the worker's copy of an
// IPv6 address is bracketed.
TEST_F(ConfigFileTest, HostNamesAndIpv6AddressesRoundTrip) {
    const struct {
        const char* address;
        const char* workerHost;
    } cases[] = {{"proxy.corp.example", "proxy.corp.example"},
                 {"2001:db8::7", "[2001:db8::7]"},
                 {"[::1]", "[::1]"}};
    for (const auto& c : cases) {
        ProxyDialogState s;
        s.systemChecked = false;
        s.proxyChecked = true;
        s.address = c.address;
        s.port = "31280";
        const std::string text = config::ConfigFileText(s);
        EXPECT_EQ(text, std::string("[Setting]\r\nEnabledProxy=1\r\nproxy=") + c.address +
                            "\r\nport=31280\r\n");
        const auto r = Load(text);
        EXPECT_EQ(r.state.address, c.address);
        EXPECT_EQ(config::SettingsOf(r.state).host, c.workerHost);
    }
}

TEST_F(ConfigFileTest, WriteFailsWhereNoFileCanBeMade) {
    EXPECT_FALSE(config::WriteTextFile(dir.filePath("missing/config.ini"), "x"));
    EXPECT_FALSE(config::WriteTextFile(dir.path(), "x"));
}

TEST_F(ConfigFileTest, UnreadableFileGivesAnErrorWithThePath) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("config.ini"));  // exists, but no file to read
    const auto r = config::LoadConfigFile(path, initial);
    EXPECT_TRUE(r.error.contains(path)) << r.error.toStdString();
    EXPECT_EQ(r.state.address, "127.0.0.1");
}

TEST_F(ConfigFileTest, LargeFilesAreReadUpToALimit) {
    std::string big;
    const std::string filler(99, '#');
    while (big.size() < 10u * 1024 * 1024)
        big += filler + "\r\n";
    auto r = Load(big + "port=1234\r\n");
    EXPECT_TRUE(r.error.isEmpty());
    EXPECT_EQ(r.state.port, "1234");

    // Far past the limit: the lines before it count, the rest is reported unread.
    std::string huge = "proxy=5.5.5.5\r\n";
    while (huge.size() < 40u * 1024 * 1024)
        huge += filler + "\r\n";
    r = Load(huge + "port=4321\r\n");
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_TRUE(r.error.contains(path));
    EXPECT_EQ(r.state.address, "5.5.5.5");
    EXPECT_EQ(r.state.port, "8080");
}

}  // namespace
