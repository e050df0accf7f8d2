#include "framework/text_escape.h"

#include <cstdint>
#include <cstdio>

namespace fw {

namespace {

// `value` as printf formats it with `format` (one number, a few characters).
std::string Formatted(const char* format, unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// The text walked one character at a time: `character` gets each well-formed one, `badByte`
// each byte that is not part of one; both with the position in the text.
template <typename Character, typename BadByte>
void Walk(std::string_view text, Character character, BadByte badByte) {
  for (size_t i = 0; i < text.size();) {
    const size_t n = Utf8CharLength(text, i);
    if (n == 0) {
      badByte(static_cast<unsigned char>(text[i]), i);
      ++i;
    } else {
      character(text.substr(i, n), i);
      i += n;
    }
  }
}

bool IsControl(std::string_view c) {
  const auto byte = static_cast<unsigned char>(c[0]);
  return c.size() == 1 && (byte < 0x20 || byte == 0x7F);
}

}  // namespace

size_t Utf8CharLength(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return 1;
  size_t n;
  uint32_t cp;
  if (lead >= 0xC2 && lead <= 0xDF) {
    n = 2, cp = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    n = 3, cp = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    n = 4, cp = lead & 0x07u;
  } else {
    return 0;  // a continuation byte, an overlong lead (C0, C1) or beyond U+10FFFF
  }
  if (text.size() - at < n) return 0;
  for (size_t k = 1; k < n; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) return 0;
    cp = cp << 6 | (next & 0x3Fu);
  }
  constexpr uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFFFE ||
      cp == 0xFFFF) {
    return 0;
  }
  return n;
}

std::string XmlText(std::string_view text) {
  // Most texts of a page (labels, values, units such as "°C") need no escape: kept as they are.
  bool plain = true;
  for (size_t i = 0; plain && i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const size_t n = byte < 0x80 ? 1 : Utf8CharLength(text, i);
    plain = n > 0 && (n > 1 || (byte >= 0x20 && byte < 0x7F && byte != '<' && byte != '>' &&
                                byte != '&' && byte != '"'));
    i += n;
  }
  if (plain) return std::string(text);
  std::string out;
  out.reserve(text.size());
  Walk(
      text,
      [&](std::string_view c, size_t) {
        const auto byte = static_cast<unsigned char>(c[0]);
        if (IsControl(c)) {
          out += Formatted("&#x%X;", byte == 0x7F ? 0x2421u : 0x2400u + byte);  // its picture
        } else if (byte == '<') {
          out += "&lt;";
        } else if (byte == '>') {
          out += "&gt;";
        } else if (byte == '&') {
          out += "&amp;";
        } else if (byte == '"') {
          out += "&quot;";
        } else {
          out += c;
        }
      },
      [&](unsigned byte, size_t) { out += Formatted("\\x%02X", byte); });
  return out;
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  Walk(
      text,
      [&](std::string_view c, size_t) {
        if (IsControl(c)) {
          out += Formatted("\\u%04X", static_cast<unsigned char>(c[0]));
        } else {
          if (c[0] == '"' || c[0] == '\\') out += '\\';
          out += c;
        }
      },
      [&](unsigned byte, size_t) { out += Formatted("\\\\x%02X", byte); });
  return out + "\"";
}

void AppendTraceText(std::string& out, std::string_view text, const EscapeStep& step) {
  Walk(
      text,
      [&](std::string_view c, size_t at) {
        if (step) step(at, out.size());
        const char byte = c[0];
        const char* escaped = byte == '"'    ? "\\\""
                              : byte == '\\' ? "\\\\"
                              : byte == '\n' ? "\\n"
                              : byte == '\r' ? "\\r"
                              : byte == '\t' ? "\\t"
                                             : nullptr;
        if (escaped != nullptr) {
          out += escaped;
        } else if (IsControl(c)) {
          out += Formatted("\\x%02X", static_cast<unsigned char>(byte));
        } else {
          out += c;
        }
      },
      [&](unsigned byte, size_t at) {
        if (step) step(at, out.size());
        out += Formatted("\\x%02X", byte);
      });
}

}  // namespace fw
