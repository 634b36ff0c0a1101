#pragma once

#include <cstdint>

#include "framework/heap_buffer.h"

// Kind of a parameter record.
enum IParameterType : int32_t {
  kTypeNone = 0,
  kTypeBool = 1,
  kTypeInt = 2,
  kTypeEnum = 3,
  kTypeDouble = 4,
};

// One automatable plug-in parameter: its value in plain units, its range, step and shape, and
// how it is shown as text. The normalized value x in [0, 1] maps to
//   value = min + (max - min) * x^shape
// and back with x = ((value - min) / (max - min))^(1 / shape).
// The record takes no lock; writers hold the instance lock where their caller says so.
class IParameter {
 public:
  static constexpr int kTextSize = 32;  // names, labels, groups and display texts incl. the NUL
  static constexpr int kMaxDisplayPrecision = 6;

  // Any thread; allocates nothing.
  IParameter() = default;
  IParameter(const IParameter&) = delete;
  IParameter& operator=(const IParameter&) = delete;

  // Defines a double parameter. The type becomes double only when it is still none; max becomes
  // at least min + step (and never less than min); the value is set to the default; the display
  // precision is the number of decimal places of step (at most 6); a shape of 0 (or one that is not
  // a positive finite number) keeps the previous shape. Owner's thread; allocates nothing.
  void DefineDouble(const char* name, double defaultValue, double min, double max, double step,
                    const char* label = "", double shape = 1.0);

  // Any thread; allocates nothing.
  double Value() const { return value; }
  // Value := v clamped to [min, max]; a value that is not a number leaves the value as it was.
  // Any thread; allocates nothing.
  void SetClamped(double v);
  // Sets the value from a normalized x, clamped to [0, 1] first (not a number keeps the current
  // value). Types other than double round to a multiple of step. Returns the value before the
  // clamp at max. Any thread; allocates nothing.
  double SetFromNormalized(double x);
  // The normalized position of a plain value, clamped to [0, 1] (0 for not a number or an empty
  // range). Any thread; allocates nothing.
  double ToNormalized(double v) const;
  // ToNormalized of the current value. Any thread; allocates nothing.
  double GetNormalized() const { return ToNormalized(value); }

  // Writes the display text of the current value into out (at least kTextSize bytes).
  // Any thread; allocates nothing.
  void FormatValue(char* out) const;
  // Display text of a given value (normalized when asked), with or without the display texts.
  // out has at least kTextSize bytes. Any thread; allocates nothing.
  void FormatValueFor(double v, bool normalized, char* out, bool useDisplayTexts) const;
  // The label to show beside the value: empty when a display text shows the value.
  // Any thread; allocates nothing.
  const char* UnitText() const;

  // Adds (or replaces) the display text for an integer value; the text is cut at 31 characters.
  // Returns false when the list cannot grow. Owner's thread; may allocate.
  bool SetDisplayText(int32_t forValue, const char* text);
  // Number of display texts. Any thread; allocates nothing.
  int32_t DisplayTextCount() const;
  // The text of the first entry with the given value, or null. Any thread; allocates nothing.
  const char* DisplayTextFor(int32_t forValue) const;
  // The value of entry i and its text, or false when i is outside. Any thread; allocates nothing.
  bool DisplayTextAt(int32_t i, int32_t* forValue, const char** text) const;
  // The value of the first entry whose text equals text exactly, or false.
  // Any thread; allocates nothing.
  bool ValueForDisplayText(const char* text, int32_t* forValue) const;

  // Any thread; allocate nothing.
  IParameterType Type() const { return type; }
  double Min() const { return min; }
  double Max() const { return max; }
  double Step() const { return step; }
  double Shape() const { return shape; }
  double Default() const { return defaultValue; }
  int32_t DisplayPrecision() const { return displayPrecision; }
  const char* Name() const { return name; }
  const char* Label() const { return label; }
  const char* Group() const { return group; }
  bool NegateDisplay() const { return negateDisplay; }
  bool IsAutomatable() const { return automatable; }
  void SetNegateDisplay(bool negate) { negateDisplay = negate; }
  void SetAutomatable(bool canAutomate) { automatable = canAutomate; }

 private:
  struct DisplayText {
    int32_t value;
    char text[kTextSize];
  };
  static_assert(sizeof(DisplayText) == 36, "display text entries are 36 bytes");

  const DisplayText* DisplayTexts() const;
  // The display text that shows value v, or null when none does (or the first match is empty).
  const char* ShownDisplayText(double v) const;
  double Denormalize(double x) const;

  IParameterType type = kTypeNone;
  double value = 0.0;
  double min = 0.0;
  double max = 1.0;
  double step = 1.0;
  double shape = 1.0;
  double defaultValue = 0.0;
  int32_t displayPrecision = 0;
  char name[kTextSize] = {};
  char label[kTextSize] = {};
  char group[kTextSize] = {};
  bool negateDisplay = false;
  bool automatable = true;
  HeapBuffer displayTexts{HeapBuffer::kPageGranularity};
};
