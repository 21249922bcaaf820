// Answer bodies by Content-Encoding: whole gzip and deflate streams (with and without
// the zlib header) decode fully, in any split; a stream cut short, a corrupt one or
// an unknown encoding is an error; a sink that refuses bytes stops decoding.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "exchange/body_decoder.h"

using lookup::BodyDecoder;

namespace {

// windowBits: 15 + 16 gzip, 15 zlib, -15 bare deflate.
std::string Compress(const std::string& plain, int windowBits) {
    z_stream z{};
    deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, plain.size()) + 64, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(plain.data()));
    z.avail_in = static_cast<uInt>(plain.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::string Plain() {
    std::string text;
    for (int i = 0; i < 20000; ++i) {
        text += "<tr><td>" + std::to_string(i * 7919 % 100003) + "</td></tr>\n";
    }
    return text;
}

struct Outcome {
    bool fed = true;
    bool complete = false;
    std::string out;
};

Outcome Decode(const char* encoding, const std::string& body, std::size_t piece) {
    BodyDecoder d;
    Outcome r;
    EXPECT_TRUE(d.SetEncoding(encoding));
    const BodyDecoder::Sink sink = [&](const char* p, std::size_t n) {
        r.out.append(p, n);
        return true;
    };
    for (std::size_t at = 0; at < body.size() && r.fed; at += piece) {
        r.fed = d.Feed(body.data() + at, std::min(piece, body.size() - at), sink);
    }
    r.complete = d.Complete();
    return r;
}

}  // namespace

TEST(HostileBody, WholeStreamsDecodeInAnySplit) {
    const std::string plain = Plain();
    const struct {
        const char* encoding;
        int bits;
    } cases[] = {{"gzip", 31},    {" GZip ", 31},   {"x-gzip", 31},
                 {"deflate", 15}, {"deflate", -15}, {"identity, gzip", 31}};
    for (const auto& c : cases) {
        const std::string body = Compress(plain, c.bits);
        for (std::size_t piece : {body.size(), std::size_t(1000), std::size_t(1)}) {
            SCOPED_TRACE(std::string(c.encoding) + " bits " + std::to_string(c.bits) + " piece " +
                         std::to_string(piece));
            const Outcome r = Decode(c.encoding, body, piece);
            EXPECT_TRUE(r.fed);
            EXPECT_TRUE(r.complete);
            EXPECT_TRUE(r.out == plain);
        }
    }
    EXPECT_EQ(Decode("identity", "as is", 2).out, "as is");
    EXPECT_TRUE(Decode("gzip", "", 1).complete);  // no body at all, as for a redirect
}

TEST(HostileBody, CutCorruptOrUnknownStreamsAreErrors) {
    const std::string gz = Compress(Plain(), 31);
    const Outcome cut = Decode("gzip", gz.substr(0, gz.size() / 2), 4096);
    EXPECT_TRUE(cut.fed);
    EXPECT_FALSE(cut.complete);  // a shorter page must not pass for the whole one
    EXPECT_FALSE(Decode("gzip", gz.substr(0, gz.size() - 4), 4096).complete);  // no trailer

    std::string flipped = gz;
    flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x5a);
    flipped[flipped.size() / 2 + 1] = static_cast<char>(flipped[flipped.size() / 2 + 1] ^ 0x5a);
    const Outcome corrupt = Decode("gzip", flipped, 4096);
    EXPECT_FALSE(corrupt.fed && corrupt.complete);
    EXPECT_FALSE(Decode("gzip", "this is not a gzip stream at all", 100).fed);
    EXPECT_FALSE(Decode("deflate", "neither zlib nor deflate!!", 100).fed);

    BodyDecoder d;
    EXPECT_FALSE(d.SetEncoding("br"));
    EXPECT_FALSE(d.error().empty());
    BodyDecoder twice;
    EXPECT_FALSE(twice.SetEncoding("gzip, gzip"));
}

TEST(HostileBody, ARefusingSinkStopsTheDecoderAndResetStartsAfresh) {
    const std::string plain = Plain();
    const std::string gz = Compress(plain, 31);
    BodyDecoder d;
    ASSERT_TRUE(d.SetEncoding("gzip"));
    std::size_t taken = 0;
    const bool fed = d.Feed(gz.data(), gz.size(), [&](const char*, std::size_t n) {
        if (taken + n > 1000) {
            return false;
        }
        taken += n;
        return true;
    });
    EXPECT_FALSE(fed);
    EXPECT_LE(taken, 1000u);

    // The next answer of the same connection starts with a clean state.
    d.Reset();
    std::string out;
    EXPECT_TRUE(d.Feed("plain", 5, [&](const char* p, std::size_t n) {
        out.append(p, n);
        return true;
    }));
    EXPECT_TRUE(d.Complete());
    EXPECT_EQ(out, "plain");
}
