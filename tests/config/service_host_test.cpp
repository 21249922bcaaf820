// The register service's address as "Register service..." and --service take it.
#include "config/service_host.h"

#include <gtest/gtest.h>

namespace {

TEST(ServiceHost, ParsesHostAndOptionalPort) {
    const struct {
        const char* text;
        const char* root;  // nullptr: refused
    } cases[] = {
        {"mirror.example.org", "http://mirror.example.org"},
        {"  mirror.example.org:8080 ", "http://mirror.example.org:8080"},
        {"127.0.0.1:1", "http://127.0.0.1:1"},
        {"[::1]:8080", "http://[::1]:8080"},
        {"::1", "http://[::1]"},
        {"host:65535", "http://host:65535"},
        {"", nullptr},
        {"host:", nullptr},
        {"host:0", nullptr},
        {"host:65536", nullptr},
        {"host:+80", nullptr},
        {"host:80x", nullptr},
        {":80", nullptr},
        {"http://host", nullptr},
        {"user@host", nullptr},
        {"host/path", nullptr},
        {"[::1", nullptr},
        {"bad host", nullptr},
    };
    for (const auto& c : cases) {
        QString error;
        const auto address = config::ParseServiceHost(QString::fromUtf8(c.text), &error);
        if (c.root == nullptr) {
            EXPECT_FALSE(address) << c.text << " gave " << address->ServiceRoot();
            EXPECT_FALSE(error.isEmpty()) << c.text;
        } else {
            ASSERT_TRUE(address) << c.text << ": " << error.toStdString();
            EXPECT_EQ(address->ServiceRoot(), c.root) << c.text;
            // What is stored reads back as the same address.
            EXPECT_EQ(config::ParseServiceHost(address->ToSetting())->ServiceRoot(), c.root);
        }
    }
}

TEST(ServiceHost, PlaceholderIsTheBuildTimeAddress) {
    EXPECT_TRUE(config::IsPlaceholderServiceRoot(config::BuildTimeServiceAddress().ServiceRoot()));
    EXPECT_FALSE(config::IsPlaceholderServiceRoot("http://mirror.example.org"));
}

}  // namespace
