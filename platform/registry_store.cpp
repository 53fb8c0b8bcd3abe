#include "platform/registry_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <functional>
#include <map>
#include <vector>

namespace talvair::platform {

// The file holds one key or one value a line, fields separated by tabs:
//   K <tab> HKEY_CURRENT_USER <tab> Software <tab> Corvanta ...   a key, one field a part
//   V <tab> name <tab> type <tab> data                            a value of the key above
// Fields escape backslash, tab, line breaks and other control bytes, so a line never holds a
// raw one. Reading is lenient: a line that does not parse is skipped (with the values that
// follow a broken key line), and a last line without its line end counts as cut off.

namespace {

constexpr int kLockTimeoutMs = 5000;
constexpr char kHeader[] = "# Talvair settings: K key parts, V name type data; tab-separated\n";

struct StoredValue {
  QString name;
  RegistryValue value;
};

// Values in the order they were created, found by their folded names through an index, so
// that a key with many values reads in linear time.
class StoredKey {
 public:
  QStringList parts;  // as created, the root's name first

  const std::vector<StoredValue>& Values() const { return values_; }
  const StoredValue* Find(const QString& name) const {
    const auto it = index_.constFind(name.toCaseFolded());
    return it == index_.cend() ? nullptr : &values_[*it];
  }
  // Replaces the value of that name, or adds it at the end.
  void Set(const QString& name, const RegistryValue& value) {
    const QString folded = name.toCaseFolded();
    const auto it = index_.constFind(folded);
    if (it != index_.cend()) {
      values_[*it].value = value;
      return;
    }
    index_.insert(folded, values_.size());
    values_.push_back({name, value});
  }
  bool Erase(const QString& name) {
    const auto it = index_.constFind(name.toCaseFolded());
    if (it == index_.cend()) return false;
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(*it));
    index_.clear();
    for (std::size_t i = 0; i < values_.size(); ++i) {
      index_.insert(values_[i].name.toCaseFolded(), i);
    }
    return true;
  }

 private:
  std::vector<StoredValue> values_;
  QHash<QString, std::size_t> index_;
};

// Keys by their folded full path, so names compare without regard to case.
using Tree = std::map<QString, StoredKey>;

QString g_folder;

QString Fold(const QStringList& parts) { return parts.join(u'\\').toCaseFolded(); }

bool SplitPath(std::int32_t root, const QString& path, QStringList* parts) {
  const QString rootName = RegistryStore::RootName(root);
  if (rootName.isEmpty()) return false;
  *parts = path.split(u'\\', Qt::SkipEmptyParts);
  parts->prepend(rootName);
  return true;
}

bool IsRoot(const QStringList& parts) { return parts.size() == 1; }

void AddKey(Tree& tree, const QStringList& parts) {
  for (qsizetype n = 2; n <= parts.size(); ++n) {
    const QStringList head = parts.first(n);
    auto [it, added] = tree.try_emplace(Fold(head));
    if (added) it->second.parts = head;
  }
}

// Roots always exist, without an entry until they hold a value.
StoredKey* FindKey(Tree& tree, const QStringList& parts) {
  const auto it = tree.find(Fold(parts));
  if (it != tree.end()) return &it->second;
  if (!IsRoot(parts)) return nullptr;
  StoredKey& root = tree[Fold(parts)];
  root.parts = parts;
  return &root;
}

QByteArray Escape(const QByteArray& bytes) {
  QByteArray out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\0':
        out += "\\0";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          out += "\\x";
          out += QByteArray::number(byte, 16).rightJustified(2, '0');
        } else {
          out += c;
        }
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Unescape(const QByteArray& text, QByteArray* out) {
  out->clear();
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (static_cast<unsigned char>(c) < 0x20) return false;
    if (c != '\\') {
      *out += c;
      continue;
    }
    if (++i >= text.size()) return false;
    switch (text[i]) {
      case '\\':
        *out += '\\';
        break;
      case '0':
        *out += '\0';
        break;
      case 't':
        *out += '\t';
        break;
      case 'n':
        *out += '\n';
        break;
      case 'r':
        *out += '\r';
        break;
      case 'x': {
        if (i + 2 >= text.size()) return false;
        const int high = HexDigit(text[i + 1]);
        const int low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0) return false;
        *out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        return false;
    }
  }
  return true;
}

bool UnescapeName(const QByteArray& text, QString* name) {
  QByteArray bytes;
  if (!Unescape(text, &bytes)) return false;
  *name = QString::fromUtf8(bytes);
  return true;
}

bool ParseKeyLine(const QList<QByteArray>& fields, QStringList* parts) {
  parts->clear();
  for (qsizetype i = 1; i < fields.size(); ++i) {
    QString part;
    if (!UnescapeName(fields[i], &part) || part.isEmpty() || part.contains(u'\\')) return false;
    parts->append(part);
  }
  if (parts->isEmpty()) return false;
  for (const std::int32_t root :
       {kHkeyClassesRoot, kHkeyCurrentUser, kHkeyLocalMachine, kHkeyUsers}) {
    if (parts->first().compare(RegistryStore::RootName(root), Qt::CaseInsensitive) == 0) {
      (*parts)[0] = RegistryStore::RootName(root);
      return true;
    }
  }
  return false;
}

bool ParseValueLine(const QList<QByteArray>& fields, StoredValue* value) {
  if (fields.size() != 4) return false;
  bool numeric = false;
  const int type = fields[2].toInt(&numeric);
  if (!numeric || type < 0) return false;
  value->value.type = type;
  return UnescapeName(fields[1], &value->name) && Unescape(fields[3], &value->value.data);
}

void Parse(const QByteArray& content, Tree* tree) {
  QList<QByteArray> lines = content.split('\n');
  lines.removeLast();  // empty after a final line end, else a cut-off line
  StoredKey* current = nullptr;
  for (QByteArray& line : lines) {
    if (line.endsWith('\r')) line.chop(1);
    if (line.isEmpty() || line.startsWith('#')) continue;
    const QList<QByteArray> fields = line.split('\t');
    if (fields[0] == "K") {
      QStringList parts;
      if (ParseKeyLine(fields, &parts)) {
        AddKey(*tree, parts);
        current = FindKey(*tree, parts);
      } else {
        current = nullptr;
      }
    } else if (fields[0] == "V") {
      StoredValue value;
      if (current == nullptr || !ParseValueLine(fields, &value)) continue;
      current->Set(value.name, value.value);
    }
  }
}

QByteArray Serialize(const Tree& tree) {
  QByteArray out = kHeader;
  for (const auto& [folded, key] : tree) {
    if (IsRoot(key.parts) && key.Values().empty()) continue;
    out += 'K';
    for (const QString& part : key.parts) out += '\t' + Escape(part.toUtf8());
    out += '\n';
    for (const StoredValue& value : key.Values()) {
      out += "V\t" + Escape(value.name.toUtf8()) + '\t' + QByteArray::number(value.value.type) +
             '\t' + Escape(value.value.data) + '\n';
    }
  }
  return out;
}

// A store larger than this was never written by the program: it is moved out of the way
// once, keeping its content for the curious, and the store starts empty.
void SetAside(const QString& filePath) {
  const QString damaged = filePath + QLatin1String(RegistryStore::kDamagedSuffix);
  QFile::remove(damaged);
  QFile::rename(filePath, damaged);
}

// Links that lead round in a loop (or too deep) to no file: nothing can be read there, and
// a write would put a plain file in place of the player's link.
bool IsLinkLoop(const QString& filePath) {
  struct stat info {};
  return ::stat(QFile::encodeName(filePath).constData(), &info) != 0 && errno == ELOOP;
}

int Load(const QString& filePath, Tree* tree) {
  tree->clear();
  const QFileInfo info(filePath);
  if (!info.exists()) return IsLinkLoop(filePath) ? kRegCantResolveFilename : kRegSuccess;
  QFile file(filePath);
  if (!info.isFile() || !file.open(QIODevice::ReadOnly)) return kRegCantRead;
  // One byte more than allowed tells a file that is too large, however it grew.
  const QByteArray content = file.read(RegistryStore::kMaxFileBytes + 1);
  if (file.error() != QFileDevice::NoError) return kRegCantRead;
  if (content.size() > RegistryStore::kMaxFileBytes) {
    file.close();
    SetAside(filePath);
    return kRegSuccess;
  }
  Parse(content, tree);
  return kRegSuccess;
}

struct Change {
  int status = kRegSuccess;
  bool changed = false;
};

// QSaveFile syncs the file before its rename but not the folder, whose new entry a power
// cut could otherwise lose.
void SyncFolder(const QString& folder) {
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Reads the file afresh under the lock, applies the change and writes the file back by
// atomic rename, so neither a crash nor another copy can leave half a file or lose a write.
// QSaveFile refuses a read-only file, follows a symbolic link, keeps the permission bits
// and writes an unnamed file where the file system allows.
int Modify(const QString& folder, const QString& filePath,
           const std::function<Change(Tree&)>& change) {
  if (!QDir().mkpath(folder)) return kRegCantWrite;
  QLockFile lock(filePath + QStringLiteral(".lock"));
  if (!lock.tryLock(kLockTimeoutMs)) return kRegCantWrite;
  Tree tree;
  if (const int status = Load(filePath, &tree); status != kRegSuccess) return status;
  const Change result = change(tree);
  if (result.status != kRegSuccess || !result.changed) return result.status;
  QSaveFile file(filePath);
  if (!file.open(QIODevice::WriteOnly)) return kRegCantWrite;
  const QByteArray content = Serialize(tree);
  if (file.write(content) != content.size() || !file.commit()) return kRegCantWrite;
  SyncFolder(QFileInfo(QFileInfo(filePath).canonicalFilePath()).absolutePath());
  return kRegSuccess;
}

// Reads the store and hands the key at `path` to `use`; otherwise the status that stopped
// the read.
template <class F>
int ReadKey(const QString& filePath, std::int32_t root, const QString& path, F use) {
  QStringList parts;
  if (!SplitPath(root, path, &parts)) return kRegInvalidHandle;
  Tree tree;
  if (const int status = Load(filePath, &tree); status != kRegSuccess) return status;
  StoredKey* key = FindKey(tree, parts);
  if (key == nullptr) return kRegFileNotFound;
  return use(tree, *key, parts);
}

}  // namespace

RegistryStore::RegistryStore() : folder_(Folder()) {}

RegistryStore::RegistryStore(const QString& folder) : folder_(folder) {}

void RegistryStore::SetFolder(const QString& folder) { g_folder = folder; }

QString RegistryStore::Folder() {
  if (!g_folder.isEmpty()) return g_folder;
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/Talvair");
}

QString RegistryStore::FilePath() const { return folder_ + u'/' + QLatin1String(kFileName); }

QString RegistryStore::RootName(std::int32_t root) {
  switch (root) {
    case kHkeyClassesRoot:
      return QStringLiteral("HKEY_CLASSES_ROOT");
    case kHkeyCurrentUser:
      return QStringLiteral("HKEY_CURRENT_USER");
    case kHkeyLocalMachine:
      return QStringLiteral("HKEY_LOCAL_MACHINE");
    case kHkeyUsers:
      return QStringLiteral("HKEY_USERS");
    default:
      return QString();
  }
}

int RegistryStore::KeyExists(std::int32_t root, const QString& path) const {
  return ReadKey(FilePath(), root, path,
                 [](Tree&, StoredKey&, const QStringList&) { return kRegSuccess; });
}

int RegistryStore::CreateKey(std::int32_t root, const QString& path) {
  QStringList parts;
  if (!SplitPath(root, path, &parts)) return kRegInvalidHandle;
  return Modify(folder_, FilePath(), [&](Tree& tree) {
    if (FindKey(tree, parts) != nullptr) return Change{};
    AddKey(tree, parts);
    return Change{kRegSuccess, true};
  });
}

int RegistryStore::DeleteKey(std::int32_t root, const QString& path) {
  QStringList parts;
  if (!SplitPath(root, path, &parts)) return kRegInvalidHandle;
  if (IsRoot(parts)) return kRegAccessDenied;
  return Modify(folder_, FilePath(), [&](Tree& tree) {
    const auto it = tree.find(Fold(parts));
    if (it == tree.end()) return Change{kRegFileNotFound, false};
    const QString childPrefix = it->first + u'\\';
    const auto child = tree.lower_bound(childPrefix);
    if (child != tree.end() && child->first.startsWith(childPrefix)) {
      return Change{kRegAccessDenied, false};
    }
    tree.erase(it);
    return Change{kRegSuccess, true};
  });
}

int RegistryStore::QueryValue(std::int32_t root, const QString& path, const QString& name,
                              RegistryValue* value) const {
  return ReadKey(FilePath(), root, path, [&](Tree&, StoredKey& key, const QStringList&) {
    const StoredValue* found = key.Find(name);
    if (found == nullptr) return kRegFileNotFound;
    if (value != nullptr) *value = found->value;
    return kRegSuccess;
  });
}

int RegistryStore::SetValue(std::int32_t root, const QString& path, const QString& name,
                            const RegistryValue& value) {
  QStringList parts;
  if (!SplitPath(root, path, &parts)) return kRegInvalidHandle;
  return Modify(folder_, FilePath(), [&](Tree& tree) {
    StoredKey* key = FindKey(tree, parts);
    if (key == nullptr) return Change{kRegFileNotFound, false};
    key->Set(name, value);
    return Change{kRegSuccess, true};
  });
}

int RegistryStore::DeleteValue(std::int32_t root, const QString& path, const QString& name) {
  QStringList parts;
  if (!SplitPath(root, path, &parts)) return kRegInvalidHandle;
  return Modify(folder_, FilePath(), [&](Tree& tree) {
    StoredKey* key = FindKey(tree, parts);
    if (key == nullptr || !key->Erase(name)) return Change{kRegFileNotFound, false};
    return Change{kRegSuccess, true};
  });
}

int RegistryStore::EnumValues(std::int32_t root, const QString& path, QStringList* names) const {
  names->clear();
  return ReadKey(FilePath(), root, path, [&](Tree&, StoredKey& key, const QStringList&) {
    for (const StoredValue& value : key.Values()) names->append(value.name);
    return kRegSuccess;
  });
}

int RegistryStore::EnumKeys(std::int32_t root, const QString& path, QStringList* names) const {
  names->clear();
  return ReadKey(FilePath(), root, path, [&](Tree& tree, StoredKey&, const QStringList& parts) {
    const QString prefix = Fold(parts) + u'\\';
    for (auto it = tree.lower_bound(prefix); it != tree.end() && it->first.startsWith(prefix);
         ++it) {
      if (it->second.parts.size() == parts.size() + 1) names->append(it->second.parts.last());
    }
    std::sort(names->begin(), names->end(), [](const QString& a, const QString& b) {
      return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return kRegSuccess;
  });
}

}  // namespace talvair::platform
