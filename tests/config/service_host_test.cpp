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
        {"http://host", "http://host"},
        {"http://x/", "http://x"},
        {"HTTP://127.0.0.1:8080/", "http://127.0.0.1:8080"},
        {"http://[::1]:81/", "http://[::1]:81"},
        {"https://host/", nullptr},
        {"http://host/fns/", nullptr},
        {"http://", nullptr},
        {"user@host", nullptr},
        {"host/path", nullptr},
        {"[::1", nullptr},
        {"bad host", nullptr},
    };
    for (const auto& c : cases) {
        const config::AddressResult address = config::ParseServiceHost(QString::fromUtf8(c.text));
        if (c.root == nullptr) {
            ASSERT_FALSE(address) << c.text << " gave " << address->ServiceRoot();
            EXPECT_FALSE(address.error().isEmpty()) << c.text;
        } else {
            ASSERT_TRUE(address) << c.text << ": " << address.error().toStdString();
            EXPECT_EQ(address->ServiceRoot(), c.root) << c.text;
            // What is stored reads back as the same address.
            EXPECT_EQ(config::ParseServiceHost(address->ToSetting())->ServiceRoot(), c.root);
        }
    }
}

TEST(ServiceHost, RefusedUrlsShowTheAcceptedForm) {
    for (const char* text : {"https://host/", "http://host/fns/", "host/path", "ftp://host"}) {
        const config::AddressResult refused = config::ParseServiceHost(QString::fromUtf8(text));
        ASSERT_FALSE(refused) << text;
        EXPECT_TRUE(refused.error().endsWith(QString::fromLatin1(config::kServiceHostForms)))
            << text << ": " << refused.error().toStdString();
    }
}

TEST(ServiceHost, TheDialogsHostFieldTakesAPortOrAUrlToo) {
    const struct {
        const char* host;
        const char* port;
        const char* root;  // nullptr: refused
    } cases[] = {
        {"mirror.example.org", "", "http://mirror.example.org"},
        {"mirror.example.org", "8080", "http://mirror.example.org:8080"},
        {"mirror.example.org:8080", "", "http://mirror.example.org:8080"},
        {"mirror.example.org:8080", "8080", "http://mirror.example.org:8080"},
        {"http://mirror.example.org:81/", "", "http://mirror.example.org:81"},
        {"http://mirror.example.org/", "82", "http://mirror.example.org:82"},
        {"[::1]:8080", "", "http://[::1]:8080"},
        {"::1", "8080", "http://[::1]:8080"},
        {"mirror.example.org:8080", "81", nullptr},
        {"http://mirror.example.org/fns/", "", nullptr},
        {"mirror.example.org:", "", nullptr},
    };
    for (const auto& c : cases) {
        const config::AddressResult address =
            config::MakeServiceAddress(QString::fromUtf8(c.host), QString::fromUtf8(c.port));
        if (c.root == nullptr) {
            ASSERT_FALSE(address) << c.host << " " << c.port;
            EXPECT_FALSE(address.error().isEmpty()) << c.host;
        } else {
            ASSERT_TRUE(address) << c.host << ": " << address.error().toStdString();
            EXPECT_EQ(address->ServiceRoot(), c.root) << c.host << " " << c.port;
        }
    }
}

TEST(ServiceHost, PlaceholderIsTheBuildTimeAddress) {
    EXPECT_TRUE(config::IsPlaceholderServiceRoot(config::BuildTimeServiceAddress().ServiceRoot()));
    EXPECT_FALSE(config::IsPlaceholderServiceRoot("http://mirror.example.org"));
}

}  // namespace
