// What makes the commissioning report a handover document: the site, the engineer and the
// date of commissioning in its head, a sign-off block for the engineer and the owner at its
// end, and "page N of M" with the node's name at the foot of every printed page. The three
// texts come from the command line or from a small site file kept once for a building.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct SiteInfo {
  std::string site;
  std::string engineer;
  std::string commissioned;
};

// A site file is a handful of lines; anything longer is not one.
constexpr size_t kMaxSiteFileBytes = 4096;

// Plain `key = value` lines with the keys site, engineer and commissioned; blank lines and lines
// starting with `#` are skipped, spaces around key and value do not count. Nothing, with the
// reason on `error` ("site.txt line 3: unknown key \"sites\"..."), for an unknown key, a key
// given twice or a line without `=`. `name` stands for the file in the message.
std::optional<SiteInfo> ParseSiteFile(const std::string& name, std::string_view text,
                                      std::string& error);

// The same for the file at `path`, read whole through the file layer (at most
// kMaxSiteFileBytes).
std::optional<SiteInfo> ReadSiteFile(const std::string& path, std::string& error);

// The head's rows for the site, the engineer and the date of commissioning; a text not given
// leaves its cell empty to be filled in by hand.
std::string SiteRows(const SiteInfo& site);

// The block that closes the page: name, date and signature lines for the engineer (the name
// filled in when known) and for the owner.
std::string SignOff(const SiteInfo& site);

// The print rule that puts "NODE · page N of M" at the foot of every page.
std::string PageFooterStyle(const std::string& nodeName);

// A text as a CSS string (with its quotes) that reads the same in XHTML and in HTML: every
// character but letters, digits, spaces and UTF-8 as a CSS escape.
std::string CssString(std::string_view text);
