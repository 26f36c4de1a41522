#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

namespace host {

// A font as the stored design describes it.
struct FontValue {
  QString name;
  double size = 8.25;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  int charset = 0;
  bool operator==(const FontValue&) const = default;
};

// A picture named by its resource path (":/..." or a file); empty for no picture.
struct PictureRef {
  QString path;
  bool operator==(const PictureRef&) const = default;
};

// The value kinds a property bag holds.
using PropertyValue =
    std::variant<std::int16_t, std::int32_t, float, bool, QString, FontValue, PictureRef>;

// The runtime's store of one control instance's design-time properties: keys match without
// regard to case; a read names a default (used when the key is absent) whose type the stored
// value is converted to; a write may name a default, and a value equal to it is not stored.
// A stored value that cannot become the requested type reads as the default and is noted in
// problems(), never an error.
class PropertyBag {
 public:
  PropertyValue ReadProperty(const QString& key, const PropertyValue& defaultValue) const;
  void WriteProperty(const QString& key, const PropertyValue& value,
                     const std::optional<PropertyValue>& defaultValue = std::nullopt);

  // Typed reads, each through ReadProperty.
  std::int32_t readLong(const QString& key, std::int32_t def) const;
  std::int16_t readInteger(const QString& key, std::int16_t def) const;
  float readSingle(const QString& key, float def) const;
  bool readBool(const QString& key, bool def) const;
  QString readText(const QString& key, const QString& def) const;
  FontValue readFont(const QString& key, const FontValue& def) const;
  PictureRef readPicture(const QString& key, const PictureRef& def) const;

  bool contains(const QString& key) const;
  // Keys in the order they were first written (as written).
  std::vector<QString> keys() const;
  const std::vector<QString>& problems() const { return m_problems; }
  std::vector<QString> takeProblems() const { return std::exchange(m_problems, {}); }
  void noteProblem(QString text) const { m_problems.push_back(std::move(text)); }

 private:
  struct Entry {
    QString key;
    PropertyValue value;
    int order;
  };
  std::map<QString, Entry> m_entries;  // by lower-case key
  int m_next = 0;
  mutable std::vector<QString> m_problems;
};

// Converts `value` to the kind of `like`; nullopt when it cannot (a text that is no number, a
// font where a number is wanted). Numbers become integers rounding half to even; booleans are
// -1 and 0 as numbers; any non-zero number is true.
std::optional<PropertyValue> convertLike(const PropertyValue& value, const PropertyValue& like);

}  // namespace host
