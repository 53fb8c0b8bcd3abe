#include "storage/comment_escape.h"

#include <array>
#include <optional>
#include <vector>

#include "storage/windows_1252.h"

namespace talvair::storage {

namespace {

// The escape replaces "%" first, then the digits in ascending order (the digits it inserts
// are replaced again by the later steps), then every other character. Each character thus
// has one fixed escaped form; these are the digits'.
constexpr std::array<std::string_view, 10> kDigitForms = {
    "%%%532%56", "%%%532%57", "%%530", "%%531", "%%532", "%53", "%54", "%55", "%56", "%57",
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string EncodeBytes(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 4);
  for (const char c : bytes) {
    const auto code = static_cast<unsigned char>(c);
    if (c == '%') {
      out += "%%";
    } else if (IsDigit(c)) {
      out += kDigitForms[static_cast<std::size_t>(c - '0')];
    } else {
      out += '%';
      out += std::to_string(code);
    }
  }
  return out;
}

// The text EncodeBytes made `escaped` from, if it made it. Seen as "%" each followed by a
// digit run (possibly empty), every character's form is one of: ["", ""] for "%", a
// canonical code [N], ["", "530" | "531" | "532"] for 2, 3, 4, ["", "", "532", "56" | "57"]
// for 0 and 1; "532" never stands alone, so one look ahead settles every choice.
std::optional<std::string> ExactDecode(std::string_view escaped) {
  if (escaped.empty()) return std::string();
  if (escaped.front() != '%') return std::nullopt;
  std::vector<std::string_view> runs;
  for (std::size_t pos = 0; pos < escaped.size();) {
    if (escaped[pos] != '%') return std::nullopt;
    const std::size_t start = ++pos;
    while (pos < escaped.size() && IsDigit(escaped[pos])) ++pos;
    runs.push_back(escaped.substr(start, pos - start));
  }

  std::string out;
  for (std::size_t i = 0; i < runs.size();) {
    const std::string_view run = runs[i];
    const auto at = [&](std::size_t k) {
      return i + k < runs.size() ? runs[i + k] : std::string_view("x");
    };
    if (run.empty()) {
      if (at(1).empty()) {
        if (at(2) == "532" && (at(3) == "56" || at(3) == "57")) {
          out += at(3) == "56" ? '0' : '1';
          i += 4;
        } else {
          out += '%';
          i += 2;
        }
      } else if (at(1) == "530" || at(1) == "531" || at(1) == "532") {
        out += static_cast<char>('2' + (at(1)[2] - '0'));
        i += 2;
      } else {
        return std::nullopt;
      }
      continue;
    }
    if (run.size() > 3 || (run.size() > 1 && run.front() == '0')) return std::nullopt;
    int code = 0;
    for (const char c : run) code = code * 10 + (c - '0');
    if (code > 255 || code == '%' || (code >= '0' && code <= '4')) return std::nullopt;
    out += static_cast<char>(code);  // 53 to 57 are the forms of the digits 5 to 9
    ++i;
  }
  return out;
}

// Every occurrence, left to right, the inserted text not scanned again.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view with) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  for (std::size_t hit = text.find(find); hit != std::string_view::npos;
       hit = text.find(find, pos)) {
    out.append(text.substr(pos, hit - pos));
    out.append(with);
    pos = hit + find.size();
  }
  out.append(text.substr(pos));
  return out;
}

// The original decoder: the codes from 255 down to 0, then "%%".
std::string ReplacementDecode(std::string_view escaped) {
  std::string text(escaped);
  for (int c = 255; c >= 0; --c) {
    if (c == '%') continue;
    const std::string code = "%" + std::to_string(c);
    if (text.find(code) == std::string::npos) continue;
    const char character = static_cast<char>(c);
    text = ReplaceAll(text, code, std::string_view(&character, 1));
  }
  return ReplaceAll(text, "%%", "%");
}

}  // namespace

std::string EncodeString(std::string_view text) { return EncodeBytes(Utf8ToWindows1252(text)); }

std::string DecodeString(std::string_view text) {
  std::optional<std::string> bytes = ExactDecode(text);
  if (!bytes) bytes = ReplacementDecode(text);
  return Windows1252ToUtf8(*bytes);
}

std::string DecodeComment(std::string_view text) { return DecodeString(text); }

}  // namespace talvair::storage
