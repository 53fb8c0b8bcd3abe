// A per-user, registry-like store of keys and typed values, kept in one text file under the
// user's config folder. Every call reads the file afresh (it is small: see kMaxFileBytes); every
// change is written back at once, atomically and under a lock, so two running copies never lose
// each other's writes. Calls answer with the status codes of the registry functions they stand in
// for.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace talvair::platform {

// Predefined root keys, with the handle values callers know them by.
inline constexpr std::int32_t kHkeyClassesRoot = static_cast<std::int32_t>(0x80000000u);
inline constexpr std::int32_t kHkeyCurrentUser = static_cast<std::int32_t>(0x80000001u);
inline constexpr std::int32_t kHkeyLocalMachine = static_cast<std::int32_t>(0x80000002u);
inline constexpr std::int32_t kHkeyUsers = static_cast<std::int32_t>(0x80000003u);

// Value types.
inline constexpr std::int32_t kRegNone = 0;
inline constexpr std::int32_t kRegSz = 1;
inline constexpr std::int32_t kRegExpandSz = 2;
inline constexpr std::int32_t kRegBinary = 3;
inline constexpr std::int32_t kRegDword = 4;
inline constexpr std::int32_t kRegDwordBigEndian = 5;
inline constexpr std::int32_t kRegLink = 6;
inline constexpr std::int32_t kRegMultiSz = 7;

// Status codes.
inline constexpr int kRegSuccess = 0;
inline constexpr int kRegFileNotFound = 2;   // no such key or value
inline constexpr int kRegAccessDenied = 5;   // e.g. deleting a key that has subkeys
inline constexpr int kRegInvalidHandle = 6;  // not a predefined root key
inline constexpr int kRegInvalidData = 13;
inline constexpr int kRegCantRead = 1012;   // the store file exists but cannot be read
inline constexpr int kRegCantWrite = 1013;  // the store file cannot be written or locked
inline constexpr int kRegCantResolveFilename = 1921;  // the store file is a loop of links

struct RegistryValue {
  std::int32_t type = kRegNone;
  QByteArray data;  // raw bytes; texts are UTF-8 with their closing NUL
};

class RegistryStore {
 public:
  // The store in the folder in force (see SetFolder).
  RegistryStore();
  explicit RegistryStore(const QString& folder);

  // The folder every default-constructed store uses: the one set here, else the user's
  // config folder followed by "/Talvair". An empty folder restores the default.
  static void SetFolder(const QString& folder);
  static QString Folder();
  static constexpr const char* kFileName = "registry.txt";
  // A larger file counts as damaged: it is renamed with this suffix (replacing an older one)
  // and the store reads as empty.
  static constexpr qint64 kMaxFileBytes = 1024 * 1024;
  static constexpr const char* kDamagedSuffix = ".damaged";
  QString FilePath() const;

  // Key paths are relative to the root, parts separated by "\"; empty parts are skipped and
  // the empty path is the root itself. Key and value names compare without regard to case,
  // as the registry does, and keep the case they were created with.
  int KeyExists(std::int32_t root, const QString& path) const;
  // Creates the key and any missing parents; success when it exists already.
  int CreateKey(std::int32_t root, const QString& path);
  // Deletes a key with its values; a key with subkeys is refused (kRegAccessDenied).
  int DeleteKey(std::int32_t root, const QString& path);
  int QueryValue(std::int32_t root, const QString& path, const QString& name,
                 RegistryValue* value) const;
  // Sets a value of an existing key (kRegFileNotFound when the key is missing).
  int SetValue(std::int32_t root, const QString& path, const QString& name,
               const RegistryValue& value);
  int DeleteValue(std::int32_t root, const QString& path, const QString& name);
  // Value names in the order they were created; subkey names alphabetically.
  int EnumValues(std::int32_t root, const QString& path, QStringList* names) const;
  int EnumKeys(std::int32_t root, const QString& path, QStringList* names) const;

  // The name of a predefined root key ("HKEY_CURRENT_USER"), empty for any other handle.
  static QString RootName(std::int32_t root);

 private:
  QString folder_;
};

}  // namespace talvair::platform
