// The program's one Windows-1251 codec. Register pages, firm records, request
// fragments, the results file and the clipboard text are Windows-1251 bytes; the
// window and the engine work on Unicode. Every conversion between the two goes here.
#pragma once

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

// Unicode -> Windows-1251. A character with no Windows-1251 form (a surrogate pair
// counts as one character) becomes one '?'.
std::string ToCp1251(QStringView text);

// Windows-1251 -> Unicode. Byte 0x98, which the code page leaves undefined, becomes
// U+0098 so that every byte string survives a round trip.
QString FromCp1251(std::string_view bytes);

// The Windows-1251 byte for one UTF-16 code unit, or -1 when there is none.
int Cp1251Byte(char16_t unit);

// The Unicode character of one Windows-1251 byte.
char16_t Cp1251Char(unsigned char byte);

bool IsValidUtf8(std::string_view bytes);

// Windows-1251 <-> UTF-8 bytes, as FromCp1251(...).toUtf8() and
// ToCp1251(QString::fromUtf8(...)) give them, without a QString between: stored text
// (the archive, jsonl and csv) is converted a field at a time, many times over.
std::string Cp1251ToUtf8(std::string_view cp1251);
std::string Utf8ToCp1251(std::string_view utf8);

// Text files of unknown origin: UTF-8 when the bytes are valid UTF-8 (a leading
// byte-order mark is dropped), Windows-1251 otherwise.
QString DecodeUtf8OrCp1251(std::string_view bytes);

// Windows-1251 bytes as a type of their own, so that UTF-8 text cannot take their place
// unnoticed: made only from bytes known to be Windows-1251 or by converting text, and
// read as bytes or converted back.
class Cp1251String {
  public:
    Cp1251String() = default;
    // bytes: already Windows-1251.
    explicit Cp1251String(std::string bytes) : bytes_(std::move(bytes)) {}

    static Cp1251String FromUtf8(std::string_view utf8) { return Cp1251String(Utf8ToCp1251(utf8)); }
    static Cp1251String FromText(QStringView text) { return Cp1251String(ToCp1251(text)); }

    const std::string& bytes() const { return bytes_; }
    std::string ToUtf8() const { return Cp1251ToUtf8(bytes_); }
    QString ToText() const { return FromCp1251(bytes_); }

    bool empty() const { return bytes_.empty(); }
    std::size_t size() const { return bytes_.size(); }
    void clear() { bytes_.clear(); }

    friend bool operator==(const Cp1251String& a, const Cp1251String& b) {
        return a.bytes_ == b.bytes_;
    }
    friend bool operator!=(const Cp1251String& a, const Cp1251String& b) { return !(a == b); }

  private:
    std::string bytes_;
};

}  // namespace platform
