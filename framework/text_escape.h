// Text that comes from outside (a node's name, a file's name or lines, a message) in each kind
// of output the plug-in and its tool write: the report's XML text, the tool's JSON strings and
// the trace's quoted texts. All three take the bytes the same way: a well-formed UTF-8 character
// is kept as it is, four-byte ones included; a byte that is not part of one (a cut or overlong
// sequence, a lone continuation byte, a surrogate written in UTF-8, a byte that starts no
// sequence) is shown as the four characters \xNN, so the engineer sees the same thing for the
// same bad byte in the report, the tool's output and the trace. Control characters and the
// characters each format reserves are escaped in that format's own way.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace fw {

// The bytes of the character that starts at `at` when it is well-formed UTF-8 (1 for ASCII),
// else 0. U+FFFE and U+FFFF count as no character: no page may hold them.
size_t Utf8CharLength(std::string_view text, size_t at);

// Text for an XML (and HTML) page, in an element or an attribute: <, >, & and " as references;
// control characters as references to their pictures (U+2401 for 0x01, U+2421 for DEL).
std::string XmlText(std::string_view text);

// A JSON string, quotes included: " and \ escaped, control characters as \u00NN; characters
// kept as UTF-8 (JSON is exchanged as UTF-8, the tool's own texts such as "°C" already are, and
// a reader sees the name as it is); a bad byte as the text \xNN (in the JSON "\\xNN"), so that
// any bytes give JSON that every reader takes.
std::string JsonString(std::string_view text);

// Called once for each character (or bad byte) as it is escaped: where it starts in the source
// text and where its escaped form starts in the output.
using EscapeStep = std::function<void(size_t source, size_t written)>;

// Text for a line of the trace, appended to `out` without quotes: \", \\, \n, \r, \t, and \xNN
// for other control characters and for bad bytes, so that nothing breaks the line.
void AppendTraceText(std::string& out, std::string_view text, const EscapeStep& step = nullptr);

}  // namespace fw
