#pragma once

#include <QString>
#include <map>
#include <vector>

#include "host/forms/PropertyBag.h"

namespace host {

// The stored design of one window's user controls: a property bag per control name, read from
// a small text resource when the window loads. The text is sections and entries:
//
//   # comment
//   [btn_Mixer]
//   Caption = "ColorMixer »»»"      text; "" inside stands for one quote
//   Style = 3                       32-bit integer (decimal, or &HFF& hexadecimal)
//   Size = 8.25                     single
//   Enabled = True                  boolean (True / False)
//   Font = Font("Tahoma", 8.25, Bold Italic Underline Strikethrough)
//   Picture = Picture(":/assets/icon.png")
//
// A line that cannot be read is skipped and described in problems(); its property then reads
// as its default.
class FormData {
 public:
  static FormData parse(const QString& text);
  // Reads a resource or file; a missing one gives no bags and one problem.
  static FormData load(const QString& path);

  // The bag for a control (names match without regard to case), or nullptr.
  const PropertyBag* bagFor(const QString& controlName) const;
  const std::vector<QString>& problems() const { return m_problems; }
  // What the controls found while reading their bags since the last call (a value of the wrong
  // kind, a picture that does not decode), each prefixed with its section's name: a window that
  // builds some controls later reports each problem once.
  std::vector<QString> takeReadProblems() const;

 private:
  std::map<QString, PropertyBag> m_bags;  // by lower-case control name
  std::vector<QString> m_problems;
};

// Parses one value of the stored-design syntax; nullopt when malformed.
std::optional<PropertyValue> parsePropertyValue(const QString& text);

}  // namespace host
