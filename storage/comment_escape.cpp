#include "storage/comment_escape.h"

#include <algorithm>
#include <array>
#include <cstdint>
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
// for 0 and 1; "532" never stands alone, so one look ahead settles every choice. A `cut`
// text may end anywhere: its last run may be short, and a form that the missing rest could
// have completed is left out with everything after it.
std::optional<std::string> ExactDecode(std::string_view escaped, bool cut = false) {
  if (cut) escaped = escaped.substr(0, std::min(escaped.rfind('%'), escaped.size()));
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
    bool unsettled = false;
    const auto at = [&](std::size_t k) {
      if (i + k < runs.size()) return runs[i + k];
      unsettled = cut;
      return std::string_view("x");
    };
    if (run.empty()) {
      if (at(1).empty()) {
        if (at(2) == "532" && (at(3) == "56" || at(3) == "57")) {
          out += at(3) == "56" ? '0' : '1';
          i += 4;
        } else {
          if (unsettled) break;
          out += '%';
          i += 2;
        }
      } else if (at(1) == "530" || at(1) == "531" || at(1) == "532") {
        out += static_cast<char>('2' + (at(1)[2] - '0'));
        i += 2;
      } else {
        if (unsettled) break;
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

// The original decoder: for c from 255 down to 0, 37 ("%") left out, every "%" followed by
// the digits of c replaced by character c, each replacement over the text the one before
// left; then every "%%" by "%". Computed in one pass over the text rather than 256:
// - a "%" and the digits after it are replaced by the first c whose digits begin them, so
//   its c is the largest of the run's first one, two or three digits that is a code;
// - only a replacement by a digit (c = 48 to 57) changes another's digits: it continues the
//   run after the "%" on its left, which then takes a smaller c; only a run of at most one
//   digit can gain a code that way, since a third digit makes 100 or more.
// So each "%" waits in the list of its c, and the replacements walk down the lists, a digit
// put in moving the "%" before it to a later list.
std::string ReplacementDecode(std::string_view escaped) {
  constexpr std::uint32_t kEnd = UINT32_MAX;
  constexpr std::uint8_t kWaiting = '%';  // no c is 37
  const auto size = static_cast<std::uint32_t>(escaped.size());
  std::string text(escaped);
  // The text as a linked list, so that replacing takes out the digits a code used.
  std::vector<std::uint32_t> next(size);
  std::vector<std::uint32_t> previous(size);
  for (std::uint32_t i = 0; i < size; ++i) {
    next[i] = i + 1 < size ? i + 1 : kEnd;
    previous[i] = i > 0 ? i - 1 : kEnd;
  }
  std::vector<std::uint8_t> pass(size, kWaiting);
  std::array<std::vector<std::uint32_t>, 256> due;

  const auto isDigit = [&](std::uint32_t i) { return i != kEnd && IsDigit(text[i]); };
  // The largest code below `below` that the digits after the "%" at `at` begin with.
  const auto firstPass = [&](std::uint32_t at, int below) {
    int found = -1;
    int value = 0;
    std::uint32_t i = next[at];
    for (int digits = 0; digits < 3 && isDigit(i); ++digits, i = next[i]) {
      value = value * 10 + (text[i] - '0');
      if (value < below && value <= 255 && value != '%') found = value;
      if (value == 0) break;  // no code begins with 0 but 0 itself
    }
    return found;
  };
  const auto wait = [&](std::uint32_t at, int c) {
    if (c < 0 || c == pass[at]) return;
    pass[at] = static_cast<std::uint8_t>(c);
    due[static_cast<std::size_t>(c)].push_back(at);
  };

  for (std::uint32_t i = 0; i < size; ++i) {
    if (text[i] == '%') wait(i, firstPass(i, 256));
  }
  for (int c = 255; c >= 0; --c) {
    std::vector<std::uint32_t>& list = due[static_cast<std::size_t>(c)];
    for (std::size_t k = 0; k < list.size(); ++k) {
      const std::uint32_t at = list[k];
      if (text[at] != '%' || pass[at] != c) continue;
      std::uint32_t after = next[at];
      for (int digits = c >= 100 ? 3 : c >= 10 ? 2 : 1; digits > 0; --digits) after = next[after];
      next[at] = after;
      if (after != kEnd) previous[after] = at;
      text[at] = static_cast<char>(c);
      if (!IsDigit(text[at])) continue;
      // The "%" whose run this digit now continues, when that run was shorter than two.
      std::uint32_t owner = previous[at];
      int digits = 0;
      while (digits < 2 && isDigit(owner)) {
        owner = previous[owner];
        ++digits;
      }
      if (digits < 2 && owner != kEnd && text[owner] == '%') wait(owner, firstPass(owner, c));
    }
    list = {};
  }

  std::string out;
  out.reserve(size);
  bool pairOpen = false;  // a "%" that the next "%" would pair with
  for (std::uint32_t i = size > 0 ? 0 : kEnd; i != kEnd; i = next[i]) {
    if (text[i] == '%' && pairOpen) {
      pairOpen = false;
      continue;
    }
    pairOpen = text[i] == '%';
    out += text[i];
  }
  return out;
}

}  // namespace

std::string EncodeString(std::string_view text) { return EncodeBytes(Utf8ToWindows1252(text)); }

std::string DecodeString(std::string_view text) {
  std::optional<std::string> bytes = ExactDecode(text);
  if (!bytes) bytes = ReplacementDecode(text);
  return Windows1252ToUtf8(*bytes);
}

std::string DecodeComment(std::string_view text) { return DecodeString(text); }

std::string DecodeCommentStart(std::string_view cut) {
  std::optional<std::string> bytes = ExactDecode(cut, true);
  if (!bytes) {
    // The cut may have shortened the last code.
    std::size_t end = cut.size();
    while (end > 0 && IsDigit(cut[end - 1])) --end;
    if (end > 0 && cut[end - 1] == '%') cut = cut.substr(0, end - 1);
    bytes = ReplacementDecode(cut);
  }
  return Windows1252ToUtf8(*bytes);
}

}  // namespace talvair::storage
