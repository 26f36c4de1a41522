#include "host/forms/FormData.h"

#include <QFile>
#include <QStringList>

namespace host {

namespace {

std::optional<QString> parseQuoted(const QString& t) {
  if (t.size() < 2 || !t.startsWith(QLatin1Char('"')) || !t.endsWith(QLatin1Char('"'))) {
    return std::nullopt;
  }
  const QString inner = t.mid(1, t.size() - 2);
  // A lone quote inside would end the text early: malformed.
  if (QString(inner).replace(QLatin1String("\"\""), QString()).contains(QLatin1Char('"'))) {
    return std::nullopt;
  }
  return QString(inner).replace(QLatin1String("\"\""), QLatin1String("\""));
}

std::optional<PropertyValue> parseFont(const QString& args) {
  // "Name", size[, flags]: a quoted name (quotes doubled inside), a decimal size, and flag words
  // separated by spaces. Read by hand: a pattern engine would be loaded for this one line.
  qsizetype i = 0;
  const qsizetype n = args.size();
  auto skipSpace = [&] {
    while (i < n && args[i].isSpace())
      ++i;
  };
  auto digits = [&] {
    const qsizetype from = i;
    while (i < n && args[i] >= QLatin1Char('0') && args[i] <= QLatin1Char('9'))
      ++i;
    return i > from;
  };
  skipSpace();
  if (i == n || args[i] != QLatin1Char('"')) return std::nullopt;
  const qsizetype nameFrom = i++;
  for (;; ++i) {
    if (i == n) return std::nullopt;
    if (args[i] != QLatin1Char('"')) continue;
    if (i + 1 < n && args[i + 1] == QLatin1Char('"')) {
      ++i;
      continue;
    }
    break;
  }
  const QString quoted = args.mid(nameFrom, ++i - nameFrom);
  skipSpace();
  if (i == n || args[i++] != QLatin1Char(',')) return std::nullopt;
  skipSpace();
  const qsizetype sizeFrom = i;
  if (!digits()) return std::nullopt;
  if (i < n && args[i] == QLatin1Char('.')) {
    ++i;
    if (!digits()) return std::nullopt;
  }
  const QString size = args.mid(sizeFrom, i - sizeFrom);
  skipSpace();
  QString flags;
  if (i < n) {
    if (args[i++] != QLatin1Char(',')) return std::nullopt;
    skipSpace();
    flags = args.mid(i);
    for (const QChar c : flags) {
      if (!((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
            (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char(' '))) {
        return std::nullopt;
      }
    }
  }
  FontValue f;
  f.name = *parseQuoted(quoted);
  f.size = size.toDouble();
  for (const QString& flag : flags.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (flag.compare(QLatin1String("Bold"), Qt::CaseInsensitive) == 0) {
      f.bold = true;
    } else if (flag.compare(QLatin1String("Italic"), Qt::CaseInsensitive) == 0) {
      f.italic = true;
    } else if (flag.compare(QLatin1String("Underline"), Qt::CaseInsensitive) == 0) {
      f.underline = true;
    } else if (flag.compare(QLatin1String("Strikethrough"), Qt::CaseInsensitive) == 0) {
      f.strikethrough = true;
    } else {
      return std::nullopt;
    }
  }
  return PropertyValue{f};
}

}  // namespace

std::optional<PropertyValue> parsePropertyValue(const QString& raw) {
  const QString t = raw.trimmed();
  if (t.isEmpty()) return std::nullopt;
  if (t.startsWith(QLatin1Char('"'))) {
    if (auto s = parseQuoted(t)) return PropertyValue{*s};
    return std::nullopt;
  }
  if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return PropertyValue{true};
  if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return PropertyValue{false};
  if (t.startsWith(QLatin1String("Font("), Qt::CaseInsensitive) && t.endsWith(QLatin1Char(')'))) {
    return parseFont(t.mid(5, t.size() - 6));
  }
  if (t.startsWith(QLatin1String("Picture("), Qt::CaseInsensitive) &&
      t.endsWith(QLatin1Char(')'))) {
    if (auto s = parseQuoted(t.mid(8, t.size() - 9).trimmed()))
      return PropertyValue{PictureRef{*s}};
    return std::nullopt;
  }
  if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
    QString digits = t.mid(2);
    if (digits.endsWith(QLatin1Char('&'))) digits.chop(1);
    bool ok = false;
    const qulonglong v = digits.toULongLong(&ok, 16);
    if (!ok || digits.isEmpty() || digits.size() > 8) return std::nullopt;
    return PropertyValue{static_cast<std::int32_t>(static_cast<std::uint32_t>(v))};
  }
  bool ok = false;
  const long long whole = t.toLongLong(&ok, 10);
  if (ok) {
    if (whole < INT32_MIN || whole > INT32_MAX) return std::nullopt;
    return PropertyValue{static_cast<std::int32_t>(whole)};
  }
  const float single = t.toFloat(&ok);
  if (ok) return PropertyValue{single};
  return std::nullopt;
}

FormData FormData::parse(const QString& text) {
  FormData data;
  PropertyBag* current = nullptr;
  const QStringList lines = text.split(QLatin1Char('\n'));
  for (qsizetype n = 0; n < lines.size(); ++n) {
    const QString line = lines[n].trimmed();
    const QString where = QStringLiteral("line %1: ").arg(n + 1);
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
      const QString name = line.mid(1, line.size() - 2).trimmed();
      if (name.isEmpty()) {
        data.m_problems.push_back(where + QStringLiteral("a section without a name"));
        current = nullptr;
        continue;
      }
      current = &data.m_bags[name.toLower()];
      continue;
    }
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (current == nullptr || eq <= 0) {
      data.m_problems.push_back(where + QStringLiteral("not an entry of a section: ") + line);
      continue;
    }
    const QString key = line.left(eq).trimmed();
    const auto value = parsePropertyValue(line.mid(eq + 1));
    if (!value) {
      data.m_problems.push_back(where + QStringLiteral("unreadable value for \"%1\"").arg(key));
      continue;
    }
    current->WriteProperty(key, *value);
  }
  return data;
}

FormData FormData::load(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    FormData empty;
    empty.m_problems.push_back(QStringLiteral("cannot read ") + path);
    return empty;
  }
  return parse(QString::fromUtf8(file.readAll()));
}

std::vector<QString> FormData::takeReadProblems() const {
  std::vector<QString> out;
  for (const auto& [name, bag] : m_bags) {
    for (QString& problem : bag.takeProblems())
      out.push_back(QStringLiteral("[%1] ").arg(name) + problem);
  }
  return out;
}

const PropertyBag* FormData::bagFor(const QString& controlName) const {
  const auto it = m_bags.find(controlName.toLower());
  return it == m_bags.end() ? nullptr : &it->second;
}

}  // namespace host
