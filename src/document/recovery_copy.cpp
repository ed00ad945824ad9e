#include "document/recovery_copy.h"

namespace quillet {
namespace {

constexpr char kMagic[] = "Quillet recovery copy 1\r\n";
constexpr char kUntitledLine[] = "Untitled\r\n";
constexpr const char* kMarkNames[] = {"none", "pending", "done"};

char16_t UnitAt(std::string_view bytes, std::size_t at) {
    return static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) |
                                 (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8));
}

void AppendUnit(std::string& out, char16_t unit) {
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
}

void AppendAscii(std::string& out, std::string_view text) {
    for (const char c : text) AppendUnit(out, static_cast<char16_t>(static_cast<unsigned char>(c)));
}

std::uint32_t Checksum(std::string_view bytes) {
    std::uint32_t hash = 2166136261u;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

std::string Hex8(std::uint32_t value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out(8, '0');
    for (int i = 7; i >= 0; --i, value >>= 4) out[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
    return out;
}

// Reads the header one piece at a time; any piece that is not there stops it.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool Ascii(std::string_view expected) {
        if ((bytes_.size() - at_) / 2 < expected.size()) return false;
        for (const char c : expected) {
            if (UnitAt(bytes_, at_) != static_cast<unsigned char>(c)) return false;
            at_ += 2;
        }
        return true;
    }

    // One to twenty digits whose value fits 64 bits.
    bool Number(std::uint64_t& value, int base = 10) {
        value = 0;
        int digits = 0;
        while (at_ + 1 < bytes_.size() && digits < 20) {
            const int digit = DigitValue(UnitAt(bytes_, at_), base);
            if (digit < 0) break;
            if (value > (UINT64_MAX - static_cast<unsigned>(digit)) / static_cast<unsigned>(base)) return false;
            value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
            at_ += 2;
            ++digits;
        }
        return digits > 0;
    }

    bool Units(std::uint64_t count, std::u16string& out) {
        if ((bytes_.size() - at_) / 2 < count) return false;
        out.reserve(static_cast<std::size_t>(count));
        for (std::uint64_t i = 0; i < count; ++i, at_ += 2) out.push_back(UnitAt(bytes_, at_));
        return true;
    }

    bool StartsWithAscii(std::string_view text) const { return Reader(*this).Ascii(text); }
    std::string_view Rest() const { return bytes_.substr(at_); }

private:
    static int DigitValue(char16_t unit, int base) {
        if (unit >= u'0' && unit <= u'9') return unit - u'0';
        if (base == 16 && unit >= u'a' && unit <= u'f') return unit - u'a' + 10;
        return -1;
    }

    std::string_view bytes_;
    std::size_t at_ = 0;
};

}  // namespace

std::string EncodeRecoveryCopy(const RecoveryCopy& copy) {
    const std::string_view text(copy.text.data(), copy.text.size() & ~std::size_t{1});
    std::string out;
    out.reserve(text.size() + 2 * (copy.path.size() + 160));
    AppendUnit(out, 0xFEFF);
    AppendAscii(out, kMagic);
    if (copy.untitled) {
        AppendAscii(out, kUntitledLine);
    } else {
        AppendAscii(out, "Path " + std::to_string(copy.path.size()) + ": ");
        for (const char16_t unit : copy.path) AppendUnit(out, unit);
        AppendAscii(out, "\r\n");
    }
    AppendAscii(out, "Time " + std::to_string(copy.time) + "\r\n");
    AppendAscii(out, std::string("Mark ") + kMarkNames[static_cast<int>(copy.mark)] + "\r\n");
    AppendAscii(out, "Text " + std::to_string(text.size() / 2) + " " + Hex8(Checksum(text)) + "\r\n\r\n");
    out.append(text);
    return out;
}

std::optional<RecoveryCopy> DecodeRecoveryCopy(std::string_view bytes) {
    if (bytes.size() < 2 || UnitAt(bytes, 0) != 0xFEFF) return std::nullopt;
    Reader in(bytes.substr(2));
    RecoveryCopy copy;
    std::uint64_t pathUnits = 0;
    if (!in.Ascii(kMagic)) return std::nullopt;
    copy.untitled = in.StartsWithAscii(kUntitledLine);
    if (copy.untitled) {
        in.Ascii(kUntitledLine);
    } else if (!in.Ascii("Path ") || !in.Number(pathUnits) || !in.Ascii(": ") || !in.Units(pathUnits, copy.path) ||
               !in.Ascii("\r\n")) {
        return std::nullopt;
    }
    if (!in.Ascii("Time ") || !in.Number(copy.time) || !in.Ascii("\r\nMark ")) return std::nullopt;
    bool marked = false;
    for (int mark = 0; mark < 3 && !marked; ++mark) {
        marked = in.Ascii(std::string(kMarkNames[mark]) + "\r\n");
        if (marked) copy.mark = static_cast<LineMark>(mark);
    }
    std::uint64_t units = 0;
    std::uint64_t checksum = 0;
    if (!marked || !in.Ascii("Text ") || !in.Number(units) || !in.Ascii(" ") || !in.Number(checksum, 16) ||
        !in.Ascii("\r\n\r\n")) {
        return std::nullopt;
    }
    const std::string_view text = in.Rest();
    if (text.size() / 2 != units || text.size() % 2 != 0 || Checksum(text) != checksum) return std::nullopt;
    copy.text.assign(text.data(), text.size());
    return copy;
}

std::uint64_t CountCharacters(std::string_view utf16Bytes) {
    std::uint64_t count = 0;
    char16_t previous = 0;
    for (std::size_t at = 0; at + 1 < utf16Bytes.size(); at += 2) {
        const char16_t unit = UnitAt(utf16Bytes, at);
        const bool secondOfPair = (previous == u'\r' && unit == u'\n') ||
                                  (previous >= 0xD800 && previous <= 0xDBFF && unit >= 0xDC00 && unit <= 0xDFFF);
        if (!secondOfPair) ++count;
        previous = secondOfPair ? 0 : unit;
    }
    return count;
}

}  // namespace quillet
