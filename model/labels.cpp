// Display labels (by VarNumber) and graph legends (by VarIndex) of the model variables.
#include <algorithm>

#include "model/catalogue.h"
#include "model/catalogue_data.h"
#include "model/language.h"

namespace talvair::catalogue {

namespace {

std::string Resolve(const data::Text& text, const std::string& language) {
  if (!text.translated) return std::string(text.english);
  return LanguageText(std::string(text.english), std::string(text.spanish),
                      std::string(text.portuguese), language);
}

const data::NameException* FindException(int32_t varIndex) {
  const auto& rows = data::kNameExceptions;
  const auto it = std::find_if(rows.begin(), rows.end(),
                               [varIndex](const auto& row) { return row.varIndex == varIndex; });
  return it == rows.end() ? nullptr : &*it;
}

}  // namespace

std::string VarName(int32_t varNumber, const std::string& language) {
  const auto& labels = data::kLabels;
  const auto label = std::find_if(labels.begin(), labels.end(), [varNumber](const auto& row) {
    return row.varNumber == varNumber;
  });
  if (label != labels.end()) return Resolve(label->text, language);

  // The plain rule VarIndex = VarNumber - 5 of VarNumber 6..299; tested before the
  // subtraction, which the lowest numbers would overflow.
  if (varNumber < 6 || varNumber > data::kLastEquationIndex + 5) return {};
  const int32_t varIndex = varNumber - 5;
  if (const auto* row = FindException(varIndex)) return Resolve(row->varName, language);
  return std::string(data::kSharedNames[varIndex]);
}

std::string InternalVarName(int32_t varIndex, const std::string& language) {
  if (varIndex >= 1 && varIndex <= data::kLastEquationIndex) {
    if (const auto* row = FindException(varIndex)) return Resolve(row->internalName, language);
    return std::string(data::kSharedNames[varIndex]);
  }
  if (varIndex >= data::kFirstLegendIndex && varIndex < kVarCount) {
    return Resolve(data::kLegends[varIndex - data::kFirstLegendIndex], language);
  }
  return {};
}

}  // namespace talvair::catalogue
