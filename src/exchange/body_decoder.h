// Decodes one HTTP answer body by its Content-Encoding (identity, gzip, deflate) as
// it arrives, and tells at the end whether a compressed body was complete: a gzip or
// deflate stream cut short is an error, not a shorter page.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace lookup {

class BodyDecoder {
  public:
    // Receives decoded bytes; returns false to stop decoding (e.g. a size cap).
    using Sink = std::function<bool(const char* data, std::size_t size)>;

    BodyDecoder();
    ~BodyDecoder();
    BodyDecoder(const BodyDecoder&) = delete;
    BodyDecoder& operator=(const BodyDecoder&) = delete;

    // Starts a new answer with no encoding.
    void Reset();
    // The value of a Content-Encoding header of the current answer. False for an
    // encoding that is not understood (the body then cannot be decoded).
    bool SetEncoding(std::string_view value);

    // Feeds raw body bytes; decoded bytes go to sink. False on a corrupt stream or
    // when the sink refused bytes; error() then tells which.
    bool Feed(const char* data, std::size_t size, const Sink& sink);
    // True when the body seen so far is complete: no encoding, an empty body, or a
    // compressed stream that reached its end.
    bool Complete() const;

    const std::string& error() const { return error_; }

  private:
    enum class Mode { Identity, Gzip, Deflate };
    bool Start(bool raw);
    bool Inflate(const char* data, std::size_t size, const Sink& sink);
    void End();

    struct Stream;
    std::unique_ptr<Stream> z_;
    Mode mode_ = Mode::Identity;
    bool started_ = false;    // the inflater is set up
    bool ended_ = false;      // the compressed stream reached its end
    bool seenInput_ = false;  // some body bytes arrived
    bool triedRaw_ = false;   // deflate: fell back to a stream without zlib header
    std::string head_;        // deflate: the first bytes, kept for that fallback
    std::string error_;
};

}  // namespace lookup
