#pragma once
// Mozilla's "Cookies.txt" (LF lines, TAB fields, "#" comments) and the
// keep-list "TSYKeepNS6.inf" beside it: the field rules both share, and the
// rows of one cookie folder with their kept flags.
#include <string>
#include <vector>

namespace cleaning {

// The fields of a cookie line: S (up to and including the first TAB), N
// (the field after the first TAB at or after position 24 of the rest, with
// its TAB) and V (what follows N).
struct CookieLineFields {
  std::string site, name, value;
};
CookieLineFields DeriveCookieFields(const std::string& line);
// The keep-list line of a cookie line: S and N without surrounding blanks.
std::string KeepListEntry(const std::string& line);
// Whether a line is a cookie (not blank, not a "#" comment, holds a TAB).
bool IsCookieLine(const std::string& line);

enum class ReadResult { Read, Missing, Failed };

// The cookie lines of one folder and whether each is kept.
struct CookieRows {
  std::vector<std::string> lines;
  std::vector<bool> kept;
  bool loaded = false;      // Cookies.txt read whole
  bool keepListRead = false;  // the keep-list read whole, or absent
  bool complete() const { return loaded && keepListRead; }
};

// Reads folder\Cookies.txt: a LF ends a line (a CR stays in it), and text
// after the last LF is a last line too.
ReadResult ReadCookieRows(const std::string& folder, CookieRows& rows);
// Ticks the rows whose KeepListEntry is a line of folder\TSYKeepNS6.inf
// (exact, case-sensitive).
ReadResult ApplyCookieKeepList(const std::string& folder, CookieRows& rows);
// Writes the kept rows' keep-list lines, each with CR LF.
bool WriteCookieKeepList(const std::string& folder, const CookieRows& rows);
// Rewrites Cookies.txt with the kept lines, each + LF; only for rows read
// completely (a partial read would lose cookies).
bool RewriteCookieFile(const std::string& folder, const CookieRows& rows);

}  // namespace cleaning
