#include "host/forms/PropertyBag.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "host/core/Convert.h"

namespace host {

namespace {

std::optional<double> asNumber(const PropertyValue& v) {
  if (const auto* i16 = std::get_if<std::int16_t>(&v)) return *i16;
  if (const auto* i32 = std::get_if<std::int32_t>(&v)) return *i32;
  if (const auto* f = std::get_if<float>(&v)) return *f;
  if (const auto* b = std::get_if<bool>(&v)) return *b ? -1.0 : 0.0;
  if (const auto* s = std::get_if<QString>(&v)) {
    bool ok = false;
    const double d = s->trimmed().toDouble(&ok);
    if (ok) return d;
  }
  return std::nullopt;
}

template <class Int>
std::optional<PropertyValue> toInt(double d) {
  const double r = std::floor(d) == d ? d : static_cast<double>(roundHalfEven(d));
  if (r < std::numeric_limits<Int>::min() || r > std::numeric_limits<Int>::max()) {
    return std::nullopt;
  }
  return PropertyValue{static_cast<Int>(r)};
}

}  // namespace

std::optional<PropertyValue> convertLike(const PropertyValue& value, const PropertyValue& like) {
  if (value.index() == like.index()) return value;
  if (std::holds_alternative<QString>(like)) {
    if (const auto n = asNumber(value); n && !std::holds_alternative<bool>(value)) {
      return PropertyValue{QString::number(*n, 'g', 9)};
    }
    if (const auto* b = std::get_if<bool>(&value)) {
      return PropertyValue{*b ? QStringLiteral("True") : QStringLiteral("False")};
    }
    return std::nullopt;
  }
  if (std::holds_alternative<FontValue>(like) || std::holds_alternative<PictureRef>(like)) {
    if (const auto* s = std::get_if<QString>(&value);
        s != nullptr && std::holds_alternative<PictureRef>(like)) {
      return PropertyValue{PictureRef{*s}};
    }
    return std::nullopt;
  }
  if (std::holds_alternative<bool>(like)) {
    if (const auto* s = std::get_if<QString>(&value)) {
      if (s->compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return PropertyValue{true};
      if (s->compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return PropertyValue{false};
    }
    const auto n = asNumber(value);
    if (!n) return std::nullopt;
    return PropertyValue{*n != 0.0};
  }
  const auto n = asNumber(value);
  if (!n || !std::isfinite(*n)) return std::nullopt;
  if (std::holds_alternative<std::int16_t>(like)) return toInt<std::int16_t>(*n);
  if (std::holds_alternative<std::int32_t>(like)) return toInt<std::int32_t>(*n);
  return PropertyValue{static_cast<float>(*n)};
}

PropertyValue PropertyBag::ReadProperty(const QString& key,
                                        const PropertyValue& defaultValue) const {
  const auto it = m_entries.find(key.toLower());
  if (it == m_entries.end()) return defaultValue;
  if (auto converted = convertLike(it->second.value, defaultValue)) return *converted;
  noteProblem(
      QStringLiteral("property \"%1\": stored value has the wrong kind; default used").arg(key));
  return defaultValue;
}

void PropertyBag::WriteProperty(const QString& key, const PropertyValue& value,
                                const std::optional<PropertyValue>& defaultValue) {
  const QString lower = key.toLower();
  if (defaultValue) {
    const auto same = convertLike(*defaultValue, value);
    if (same && *same == value) {
      m_entries.erase(lower);
      return;
    }
  }
  auto it = m_entries.find(lower);
  if (it == m_entries.end()) {
    m_entries.emplace(lower, Entry{key, value, m_next++});
  } else {
    it->second.value = value;
  }
}

bool PropertyBag::contains(const QString& key) const {
  return m_entries.count(key.toLower()) != 0;
}

std::vector<QString> PropertyBag::keys() const {
  std::vector<const Entry*> ordered;
  ordered.reserve(m_entries.size());
  for (const auto& [lower, entry] : m_entries)
    ordered.push_back(&entry);
  std::sort(ordered.begin(), ordered.end(),
            [](const Entry* a, const Entry* b) { return a->order < b->order; });
  std::vector<QString> out;
  out.reserve(ordered.size());
  for (const Entry* e : ordered)
    out.push_back(e->key);
  return out;
}

std::int32_t PropertyBag::readLong(const QString& key, std::int32_t def) const {
  return std::get<std::int32_t>(ReadProperty(key, def));
}
std::int16_t PropertyBag::readInteger(const QString& key, std::int16_t def) const {
  return std::get<std::int16_t>(ReadProperty(key, def));
}
float PropertyBag::readSingle(const QString& key, float def) const {
  return std::get<float>(ReadProperty(key, def));
}
bool PropertyBag::readBool(const QString& key, bool def) const {
  return std::get<bool>(ReadProperty(key, def));
}
QString PropertyBag::readText(const QString& key, const QString& def) const {
  return std::get<QString>(ReadProperty(key, def));
}
FontValue PropertyBag::readFont(const QString& key, const FontValue& def) const {
  return std::get<FontValue>(ReadProperty(key, def));
}
PictureRef PropertyBag::readPicture(const QString& key, const PictureRef& def) const {
  return std::get<PictureRef>(ReadProperty(key, def));
}

}  // namespace host
