#include "keltor/core/operations/header_parameters.h"

#include "common/core/dialog_fields.h"
#include "common/core/text.h"

namespace keltor {

TitleTexts TitleTextsOf(const km::RawFileHeader& header) {
  return {km::FieldText(header.Title), km::FieldText(header.Comment)};
}

int CheckTitleTexts(km::MessageSink& sink, const TitleTexts& texts) {
  if (texts.Title.size() > kTitleLimit) {
    sink.ShowError(km::Printf("The title is longer than %d characters.", kTitleLimit));
    return kTitleEdit;
  }
  if (texts.Comment.size() > kCommentLimit) {
    sink.ShowError(km::Printf("The comment is longer than %d characters.", kCommentLimit));
    return kCommentEdit;
  }
  return 0;
}

bool ApplyTitleTexts(km::RawFileHeader& header, const TitleTexts& texts) {
  bool changed = false;
  if (texts.Title != km::FieldText(header.Title)) {
    km::SetFieldText(header.Title, texts.Title);
    changed = true;
  }
  if (texts.Comment != km::FieldText(header.Comment)) {
    km::SetFieldText(header.Comment, texts.Comment);
    changed = true;
  }
  return changed;
}

WavelengthRequest OpenWavelengthDialog(const km::RawFileHeader& header, RadiationTable& table) {
  WavelengthRequest request;
  request.Lines = table.ListLines();
  request.Selection = RadiationTable::IndexOfCode(header.Radiation);
  if (request.Selection == kUserDefinedRadiation) table.ShowUserWavelength(header.WavelengthAlpha1);
  request.Wavelength = header.WavelengthAlpha1;
  request.UserWavelength = table.UserWavelength();
  return request;
}

int CheckWavelengthChoice(km::MessageSink& sink, const WavelengthRequest& request, const WavelengthChoice& choice) {
  if (choice.Selection < 0 || choice.Selection >= RadiationTable::kEntries) {
    sink.ShowError("Please choose a radiation.");
    return kRadiationList;
  }
  if (choice.Selection != kUserDefinedRadiation) return 0;
  const float shown = request.Selection == kUserDefinedRadiation ? request.Wavelength : request.UserWavelength;
  if (choice.Wavelength == shown) return 0;
  if (!(choice.Wavelength >= kWavelengthMinimum && choice.Wavelength <= kWavelengthMaximum)) {
    sink.ShowPlain(km::InvalidDataText(kWavelengthMinimum, kWavelengthMaximum));
    return kWavelengthEdit;
  }
  return 0;
}

bool ApplyWavelengthChoice(km::RawFileHeader& header, RadiationTable& table, const WavelengthRequest& request,
                           const WavelengthChoice& choice) {
  const bool user = choice.Selection == kUserDefinedRadiation;
  if (choice.Selection == request.Selection && (!user || choice.Wavelength == header.WavelengthAlpha1)) return false;
  if (user) table.SetUserWavelength(choice.Wavelength);
  const RadiationEntry entry = table.Entry(choice.Selection);
  header.Radiation = static_cast<int16_t>(choice.Selection + 1);
  header.WavelengthAlpha1 = entry.Alpha1;
  header.WavelengthAlpha2 = entry.Alpha2;
  return true;
}

GeneratorSettings GeneratorSettingsOf(const km::RawFileHeader& header) {
  return {header.GeneratorVoltage, header.GeneratorCurrent};
}

int CheckGeneratorSettings(km::MessageSink& sink, const km::RawFileHeader& header, const RadiationTable& table,
                           const GeneratorSettings& settings) {
  if (settings.Voltage != header.GeneratorVoltage && (settings.Voltage < 0 || settings.Voltage > kVoltageMaximum)) {
    sink.ShowPlain(km::InvalidDataText(0, kVoltageMaximum));
    return kVoltageEdit;
  }
  if (settings.Current != header.GeneratorCurrent && (settings.Current < 0 || settings.Current > kCurrentMaximum)) {
    sink.ShowPlain(km::InvalidDataText(0, kCurrentMaximum));
    return kCurrentEdit;
  }
  if (settings.Voltage == header.GeneratorVoltage && settings.Current == header.GeneratorCurrent) return 0;
  const int maximum = table.PowerEntryOf(header.Radiation).MaximumPower;
  if (static_cast<long long>(settings.Voltage) * settings.Current > maximum) {
    sink.ShowError(km::Printf("Maximum power (%d W) exceeded.", maximum));
    return kVoltageEdit;
  }
  return 0;
}

bool ApplyGeneratorSettings(km::RawFileHeader& header, const GeneratorSettings& settings) {
  if (settings.Voltage == header.GeneratorVoltage && settings.Current == header.GeneratorCurrent) return false;
  header.GeneratorVoltage = static_cast<int16_t>(settings.Voltage);
  header.GeneratorCurrent = static_cast<int16_t>(settings.Current);
  return true;
}

}  // namespace keltor
