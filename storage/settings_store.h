// The few things remembered between runs, kept as text values in the registry-like store
// below HKEY_CURRENT_USER\Software\Corvanta\21. Every procedure sets the shared wrapper
// afresh, reads or writes, and returns; nothing is cached.
//
// A read never fails: a store that cannot be read counts as holding nothing. A write that
// fails never ends the program: the procedure returns the wrapper's error and the caller
// tells the player and goes on.
#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

#include "storage/globals.h"
#include "storage/registry_wrapper.h"

namespace talvair::storage {

// Empty on success, else the error (number, source, description).
using SettingsError = std::optional<RegistryError>;

// "Software\Corvanta\21"
QString SettingsRootKey();

// Sets CurrentLanguage and LanguageSaved from the stored language. A missing, empty or
// unknown code counts as not stored: "English" and false.
void LanguageCheck();
// Stores CurrentLanguage.
[[nodiscard]] SettingsError LanguageWrite();
// Forgets the language (and the currency), so the next start asks again.
[[nodiscard]] SettingsError LanguageDelete();

// Auto-save options: "Path" and "BaseName", with "RunNumber" reset to "0".
[[nodiscard]] SettingsError AdvancedOptionsWrite(const QString& sPath, const QString& sBaseName);
// Stores AutoSaveRunNumber as "RunNumber".
[[nodiscard]] SettingsError AdvancedOptionsUpdateRunNumber();
// The stored texts; no value (as opposed to an empty text) when the section is missing.
std::optional<QString> AdvancedOptionsReadPath();
std::optional<QString> AdvancedOptionsReadBaseName();
std::optional<QString> AdvancedOptionsReadRunNumber();

// Folder of the survey-links file.
[[nodiscard]] SettingsError SurveyLinksPathWrite(const QString& sPath);
std::optional<QString> SurveyLinksPathRead();

// CurrencyName.
[[nodiscard]] SettingsError CurrencyWrite();
void CurrencyCheck();

// RunOptions, forgotten 12 clock hours after it was last written.
[[nodiscard]] SettingsError RunOptionsDelete();
[[nodiscard]] SettingsError RunOptionsRead();
[[nodiscard]] SettingsError RunOptionsWrite();

// The clock RunOptionsRead and RunOptionsWrite use; an empty function restores the real one.
void SetSettingsClock(std::function<QDateTime()> clock);

// length characters from character position start (from 1) of the string taken as a byte
// string of two-byte characters.
QString MidW(const QString& text, int start, int length);

}  // namespace talvair::storage
