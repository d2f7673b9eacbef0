#include "board/html_text.h"

#include <cstdio>

namespace {
const char* const REPLACEMENT = "\xEF\xBF\xBD";  // U+FFFD

void appendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The length of the well-formed UTF-8 sequence at the front of text and its
// code point, or 0 when it is not one (overlong, surrogate, cut short).
size_t decodeUtf8(std::string_view text, uint32_t& code) {
    const unsigned char lead = static_cast<unsigned char>(text[0]);
    size_t length = 0;
    uint32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, least = 0x80, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, least = 0x800, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, least = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        const unsigned char next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return length;
}

std::string secondsText(uint32_t ms, bool padded) {
    char text[32];
    std::snprintf(text, sizeof text, padded ? "%02u.%03u" : "%u.%03u", (ms / 1000u) % 60u,
                  ms % 1000u);
    return text;
}
}  // namespace

std::string htmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        const unsigned char byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            switch (byte) {
                case '&':
                    out += "&amp;";
                    break;
                case '<':
                    out += "&lt;";
                    break;
                case '>':
                    out += "&gt;";
                    break;
                case '"':
                    out += "&quot;";
                    break;
                case '\'':
                    out += "&#39;";
                    break;
                case 0x7F:
                    appendUtf8(out, 0x2421);
                    break;  // the picture of delete
                default:
                    if (byte < 0x20) {
                        appendUtf8(out, 0x2400 + byte);  // the control pictures block
                    } else {
                        out += static_cast<char>(byte);
                    }
            }
            ++at;
            continue;
        }
        uint32_t code = 0;
        const size_t length = decodeUtf8(text.substr(at), code);
        if (length == 0) {
            out += REPLACEMENT;
            ++at;
        } else {
            if (code <= 0x9F) {
                out += REPLACEMENT;  // C1 controls
            } else {
                out.append(text.substr(at, length));
            }
            at += length;
        }
    }
    return out;
}

std::string urlSegment(std::string_view text) {
    static const char HEX[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                                byte == '_' || byte == '~';
        if (unreserved) {
            out += c;
        } else {
            out += '%';
            out += HEX[byte >> 4];
            out += HEX[byte & 0x0F];
        }
    }
    return out;
}

std::string raceTimeText(uint32_t ms) {
    return std::to_string(ms / 60000u) + ":" + secondsText(ms, true);
}

std::string gapText(uint32_t ms, uint32_t referenceMs) {
    const bool ahead = ms < referenceMs;
    const uint32_t gap = ahead ? referenceMs - ms : ms - referenceMs;
    return (ahead ? "-" : "+") + (gap < 60000u ? secondsText(gap, false) : raceTimeText(gap));
}
