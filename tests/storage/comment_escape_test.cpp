// The comment escape's lossy decoder against the original 256 replacements, and the
// preview's decoding of a comment cut short.
#include "storage/comment_escape.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <random>
#include <string>

#include "storage/game_dialogs.h"
#include "storage/windows_1252.h"

namespace talvair::storage {
namespace {

// The original decoder, replacement by replacement.
std::string OriginalDecode(std::string text) {
  const auto replaceAll = [&text](const std::string& find, const std::string& with) {
    std::string out;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = text.find(find, pos)) != std::string::npos;
         pos = hit + find.size())
      out += text.substr(pos, hit - pos) + with;
    text = out + text.substr(pos);
  };
  for (int c = 255; c >= 0; --c) {
    if (c != '%') replaceAll("%" + std::to_string(c), std::string(1, char(c)));
  }
  replaceAll("%%", "%");
  return text;
}

TEST(CommentEscape, TextsTheEncoderNeverWritesDecodeAsTheOriginalReplacementsDid) {
  std::mt19937 random(20);
  int lossy = 0;
  for (int round = 0; round < 40000; ++round) {
    // Mostly "%" and digits, where one replacement makes the next.
    std::string text(random() % 14, '\0');
    for (char& c : text) c = "%%%%012345456789a\""[random() % 18];
    const std::string decoded = DecodeString(text);
    if (EncodeString(decoded) == text) continue;  // written by the encoder: decoded exactly
    ++lossy;
    ASSERT_EQ(decoded, Windows1252ToUtf8(OriginalDecode(text))) << text;
  }
  EXPECT_GT(lossy, 30000);
}

// What the preview reads of a file.
constexpr std::size_t kPreviewBytes = 64 * 1024;

// Only the last whole character of what was read, or a "%" before it, may wait for a rest
// that the cut took away.
TEST(OpenGameDialog, ACommentPastThePreviewShowsItsDecodedBeginningThenAnEllipsis) {
  QTemporaryDir folder;
  const std::string path = folder.filePath("long.dat").toStdString();
  const std::string unit = "%0123456789a\xC3\xA9";  // forms of 57 bytes in all
  std::string comment;
  while (comment.size() < 40 * 1024) comment += unit;
  const std::string escaped = EncodeString(comment);
  // Each longer count shifts the cut by a byte, so the cut meets every byte of every form.
  for (std::size_t count = 1; count <= 57; ++count) {
    const std::string head = "21," + std::string(count, '3') + "\r\n\"";
    std::ofstream(path, std::ios::binary) << head << escaped << "\"\r\n0,";
    const std::string preview = PreviewGameComments(QString::fromStdString(path)).toStdString();
    ASSERT_TRUE(preview.starts_with('"') && preview.ends_with("\xE2\x80\xA6")) << count;
    const std::string shown = preview.substr(1, preview.size() - 4);
    ASSERT_TRUE(comment.starts_with(shown)) << count;
    // Where the last character whose whole form was read begins.
    std::size_t whole = 0, last = 0, read = 0;
    for (std::size_t at = 0, size; at < comment.size(); at += size) {
      size = comment[at] == '\xC3' ? 2 : 1;
      read += EncodeString(comment.substr(at, size)).size();
      if (head.size() + read > kPreviewBytes) break;
      last = whole;
      whole = at + size;
    }
    EXPECT_GE(shown.size() + (comment[last - 1] == '%' ? 1 : 0), last) << count;
  }
}

}  // namespace
}  // namespace talvair::storage
