#include "exchange/body_decoder.h"

#include <zlib.h>

#include <cctype>
#include <vector>

namespace lookup {

namespace {

std::string Lower(std::string_view s) {
    std::string out;
    for (char c : s) {
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() &&
           (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n')) {
        s.remove_suffix(1);
    }
    return s;
}

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::size_t kHeadBytes = 64;  // a zlib header is 2 bytes; a bad one shows at once

}  // namespace

struct BodyDecoder::Stream {
    z_stream z{};
    std::vector<unsigned char> out = std::vector<unsigned char>(kChunk);
};

BodyDecoder::BodyDecoder() : z_(std::make_unique<Stream>()) {}

BodyDecoder::~BodyDecoder() {
    End();
}

void BodyDecoder::End() {
    if (started_) {
        inflateEnd(&z_->z);
        started_ = false;
    }
}

void BodyDecoder::Reset() {
    End();
    mode_ = Mode::Identity;
    ended_ = false;
    seenInput_ = false;
    triedRaw_ = false;
    head_.clear();
    error_.clear();
}

bool BodyDecoder::SetEncoding(std::string_view value) {
    // A list names the encodings in the order they were applied; only one layer is
    // understood, and "identity" adds none.
    std::string_view rest = value;
    int layers = 0;
    Mode mode = Mode::Identity;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const std::string item = Lower(Trim(rest.substr(0, comma)));
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        if (item.empty() || item == "identity") {
            continue;
        }
        ++layers;
        if (item == "gzip" || item == "x-gzip") {
            mode = Mode::Gzip;
        } else if (item == "deflate") {
            mode = Mode::Deflate;
        } else {
            error_ = "unknown content encoding '" + std::string(Trim(value)) + "'";
            return false;
        }
    }
    if (layers > 1 || (layers == 1 && mode_ != Mode::Identity)) {
        error_ = "more than one content encoding";
        return false;
    }
    if (layers == 1) {
        mode_ = mode;
    }
    return true;
}

bool BodyDecoder::Start(bool raw) {
    End();
    z_->z = z_stream{};
    const int bits = mode_ == Mode::Gzip ? 15 + 16 : (raw ? -15 : 15);
    if (inflateInit2(&z_->z, bits) != Z_OK) {
        error_ = "cannot start the decoder";
        return false;
    }
    started_ = true;
    return true;
}

bool BodyDecoder::Feed(const char* data, std::size_t size, const Sink& sink) {
    if (size == 0) {
        return true;
    }
    if (mode_ == Mode::Identity) {
        seenInput_ = true;
        if (!sink(data, size)) {
            error_ = "the body was refused";
            return false;
        }
        return true;
    }
    if (ended_) {
        return true;  // bytes after the end of the stream are ignored
    }
    seenInput_ = true;
    if (!started_ && !Start(false)) {
        return false;
    }
    // Some servers send "deflate" without the zlib header. The first bytes are kept
    // until the header has passed, so that a bad header can be read once more as a
    // bare deflate stream, however the body was split.
    const bool mayRetry = mode_ == Mode::Deflate && !triedRaw_ && head_.size() < kHeadBytes;
    if (mayRetry) {
        head_.append(data, size);
    }
    if (Inflate(data, size, sink)) {
        return true;
    }
    if (mayRetry && z_->z.total_out == 0) {
        triedRaw_ = true;
        error_.clear();
        const std::string head = std::move(head_);
        head_.clear();
        return Start(true) && Inflate(head.data(), head.size(), sink);
    }
    return false;
}

bool BodyDecoder::Inflate(const char* data, std::size_t size, const Sink& sink) {
    z_stream& z = z_->z;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    z.avail_in = 0;
    for (;;) {
        // avail_in is 32 bits wide: very large blocks are fed piecewise.
        if (z.avail_in == 0 && size > 0) {
            const std::size_t part = size < (1u << 30) ? size : (1u << 30);
            z.avail_in = static_cast<uInt>(part);
            size -= part;
        }
        z.next_out = z_->out.data();
        z.avail_out = static_cast<uInt>(z_->out.size());
        const int rc = inflate(&z, Z_NO_FLUSH);
        const std::size_t produced = z_->out.size() - z.avail_out;
        if (produced > 0 && !sink(reinterpret_cast<const char*>(z_->out.data()), produced)) {
            error_ = "the body was refused";
            return false;
        }
        if (rc == Z_STREAM_END) {
            ended_ = true;
            return true;
        }
        if (rc != Z_OK && rc != Z_BUF_ERROR) {
            error_ = std::string("the compressed body is corrupt") +
                     (z.msg != nullptr ? std::string(": ") + z.msg : std::string());
            return false;
        }
        // Done with this block once all input is used and no output is pending.
        if (z.avail_in == 0 && size == 0 && z.avail_out != 0) {
            return true;
        }
    }
}

bool BodyDecoder::Complete() const {
    return mode_ == Mode::Identity || !seenInput_ || ended_;
}

}  // namespace lookup
