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

TEST(CommentEscape, ACutEscapeDecodesToABeginningOfItsText) {
  std::mt19937 random(21);
  for (int round = 0; round < 400; ++round) {
    std::string bytes(1 + random() % 10, '\0');
    for (char& b : bytes)
      b = static_cast<char>(round % 2 ? random() % 256 : "%0123456789a"[random() % 12]);
    const std::string text = Windows1252ToUtf8(bytes);
    const std::string escaped = EncodeString(text);
    std::string before;
    for (std::size_t cut = 0; cut <= escaped.size(); ++cut) {
      const std::string start = DecodeCommentStart(escaped.substr(0, cut));
      ASSERT_TRUE(text.starts_with(start)) << escaped.substr(0, cut);
      ASSERT_TRUE(start.starts_with(before)) << escaped.substr(0, cut);
      before = start;
    }
    // Only the last character, or a "%" before it, waits for a rest that might still follow.
    const std::string lastOut = Windows1252ToUtf8(bytes.substr(0, bytes.size() - 1));
    EXPECT_TRUE(before == lastOut || (lastOut.ends_with('%') && before + '%' == lastOut))
        << escaped;
  }
}

TEST(OpenGameDialog, ACommentPastThePreviewShowsItsDecodedBeginningThenAnEllipsis) {
  QTemporaryDir folder;
  const std::string path = folder.filePath("long.dat").toStdString();
  std::string comment;
  while (comment.size() < 40 * 1024) comment += "12\n\"";  // forms of 9, 5, 3 and 3 bytes
  // Each longer count shifts the cut by a byte, into a different form.
  for (const std::size_t count : {1, 2, 3, 4}) {
    std::ofstream(path, std::ios::binary)
        << "21," << std::string(count, '3') << "\r\n\"" << EncodeString(comment) << "\"\r\n0,";
    const std::string preview = PreviewGameComments(QString::fromStdString(path)).toStdString();
    ASSERT_TRUE(preview.starts_with('"') && preview.ends_with("\xE2\x80\xA6")) << count;
    const std::string shown = preview.substr(1, preview.size() - 4);
    EXPECT_TRUE(comment.starts_with(shown) && shown.size() > 5000) << count;
  }
}

}  // namespace
}  // namespace talvair::storage
