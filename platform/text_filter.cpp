#include "platform/text_filter.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <memory>

namespace talvair::platform {

namespace {

constexpr char16_t kParagraphSeparator = 0x2029;  // how the document reports a line break

// The text with every character `allowed` refuses replaced by one "?"; empty when nothing
// needs replacing.
QString Filtered(const QString& text, const std::function<bool(char32_t)>& allowed) {
  QString out;
  bool changed = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == QChar(kParagraphSeparator) || c == QLatin1Char('\n')) {
      out += QLatin1Char('\n');
      continue;
    }
    // A character beyond 16 bits (a surrogate pair) becomes one "?", as does a lone half.
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
    if (c.isSurrogate() || !allowed(c.unicode())) {
      out += QLatin1Char('?');
      changed = true;
    } else {
      out += c;
    }
  }
  return changed ? out : QString();
}

}  // namespace

void RestrictCharacters(QPlainTextEdit* box, std::function<bool(char32_t)> allowed) {
  QTextDocument* document = box->document();
  auto busy = std::make_shared<bool>(false);
  QObject::connect(
      document, &QTextDocument::contentsChange, box,
      [document, allowed = std::move(allowed), busy](int position, int /*removed*/, int added) {
        if (*busy || added <= 0) return;
        // The document counts one closing separator of its own.
        const int end = std::min(position + added, document->characterCount() - 1);
        if (end <= position) return;
        QTextCursor cursor(document);
        cursor.setPosition(position);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        const QString replacement = Filtered(cursor.selectedText(), allowed);
        if (replacement.isEmpty()) return;
        *busy = true;
        cursor.insertText(replacement);
        *busy = false;
      });
}

}  // namespace talvair::platform
