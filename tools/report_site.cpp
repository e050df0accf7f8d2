#include "tools/report_site.h"

#include <cstdio>

#include "framework/file_layer.h"
#include "tools/report_pictures.h"

namespace {

std::string_view Trim(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::string Row(const char* head, const std::string& value) {
  return std::string("<tr><th>") + head + "</th><td" + (value.empty() ? " class=\"fill\"" : "") +
         ">" + XmlText(value) + "</td></tr>\n";
}

}  // namespace

std::optional<SiteInfo> ParseSiteFile(const std::string& name, std::string_view text,
                                      std::string& error) {
  SiteInfo site;
  bool given[3] = {false, false, false};
  size_t lineNumber = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    ++lineNumber;
    if (line.empty() || line[0] == '#') continue;
    const std::string where = name + " line " + std::to_string(lineNumber) + ": ";
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      error = where + "not a line of the form key = value";
      return std::nullopt;
    }
    const std::string key(Trim(line.substr(0, equals)));
    const int k = key == "site" ? 0 : key == "engineer" ? 1 : key == "commissioned" ? 2 : -1;
    if (k < 0) {
      error = where + "unknown key \"" + key + "\" (the keys are site, engineer, commissioned)";
      return std::nullopt;
    }
    if (given[k]) {
      error = where + key + " is given twice";
      return std::nullopt;
    }
    given[k] = true;
    std::string* const value[] = {&site.site, &site.engineer, &site.commissioned};
    *value[k] = std::string(Trim(line.substr(equals + 1)));
  }
  return site;
}

std::optional<SiteInfo> ReadSiteFile(const std::string& path, std::string& error) {
  const fw::FileRead read = fw::ReadWholeFile(path, kMaxSiteFileBytes);
  if (!read.Ok()) {
    error = read.error;
    return std::nullopt;
  }
  return ParseSiteFile(path, read.text, error);
}

std::string SiteRows(const SiteInfo& site) {
  return Row("Site", site.site) + Row("Engineer", site.engineer) +
         Row("Commissioned", site.commissioned);
}

std::string SignOff(const SiteInfo& site) {
  std::string out =
      "<section class=\"signoff\">\n<h2>Sign-off</h2>\n<table class=\"signoff\">\n"
      "<tr><th></th><th>Engineer</th><th>Owner</th></tr>\n";
  out += "<tr><th>Name</th><td>" + XmlText(site.engineer) + "</td><td></td></tr>\n";
  out += "<tr><th>Date</th><td></td><td></td></tr>\n";
  out += "<tr><th>Signature</th><td></td><td></td></tr>\n";
  return out + "</table>\n</section>\n";
}

std::string PageFooterStyle(const std::string& nodeName) {
  return "@page { @bottom-center { content: " + CssString(nodeName) +
         " \" \\B7  page \" counter(page) \" of \" counter(pages); font-family: sans-serif; "
         "font-size: 8pt; } }\n";
}

std::string CssString(std::string_view text) {
  std::string out = "\"";
  const auto escape = [&out](unsigned code) {
    char escaped[16];
    std::snprintf(escaped, sizeof escaped, "\\%X ", code);
    out += escaped;
  };
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const size_t n = fw::Utf8CharLength(text, i);
    if (n == 0) {
      // A byte that is no UTF-8 reads \xNN, as it does on the page.
      char bad[8];
      std::snprintf(bad, sizeof bad, "x%02X", c);
      escape('\\');
      out += bad;
      i += 1;
    } else if (n > 1 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
               (c >= 'a' && c <= 'z') || c == ' ') {
      out.append(text.substr(i, n));
      i += n;
    } else {
      // Control characters as their pictures, as on the page; the rest by their number.
      escape(c < 0x20 ? 0x2400u + c : c == 0x7F ? 0x2421u : c);
      i += 1;
    }
  }
  return out + "\"";
}
