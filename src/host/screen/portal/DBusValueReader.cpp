#include "host/screen/portal/DBusValueReader.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusSignature>
#include <QDBusUnixFileDescriptor>
#include <QDBusVariant>
#include <QStringList>

namespace host {

namespace {

// What a ScreenCast answer may hold before it is taken for something else: an answer nests about
// ten deep and holds a few dozen values.
constexpr int kMaxDepth = 32;
constexpr int kMaxValues = 4096;

// Reads one value after another into trees, counting them all against kMaxValues.
class ValueReader {
 public:
  bool read(const QVariant& v, portal::Value& out, int depth);
  bool read(const QDBusArgument& a, portal::Value& out, int depth);

 private:
  bool counted(int depth) { return depth <= kMaxDepth && --m_left >= 0; }
  // A value already counted.
  bool convert(const QVariant& v, portal::Value& out, int depth);
  // The elements of the container just entered, up to its end (or the first that fails).
  bool readItems(const QDBusArgument& a, portal::Value& out, int depth);
  int m_left = kMaxValues;
};

bool ValueReader::read(const QVariant& v, portal::Value& out, int depth) {
  return counted(depth) && convert(v, out, depth);
}

bool ValueReader::convert(const QVariant& v, portal::Value& out, int depth) {
  using T = portal::Value::Type;
  const QMetaType type = v.metaType();
  switch (type.id()) {
    case QMetaType::UChar:
      out = portal::Value::of(T::Byte, v.value<uchar>());
      return true;
    case QMetaType::Bool:
      out = portal::Value::of(T::Bool, v.value<bool>() ? 1 : 0);
      return true;
    case QMetaType::Short:
      out = portal::Value::of(T::Int16, v.value<short>());
      return true;
    case QMetaType::UShort:
      out = portal::Value::of(T::UInt16, v.value<ushort>());
      return true;
    case QMetaType::Int:
      out = portal::Value::of(T::Int32, v.value<int>());
      return true;
    case QMetaType::UInt:
      out = portal::Value::of(T::UInt32, v.value<uint>());
      return true;
    case QMetaType::LongLong:
      out = portal::Value::of(T::Int64, v.value<qlonglong>());
      return true;
    case QMetaType::ULongLong:
      out = portal::Value::of(T::UInt64, static_cast<std::int64_t>(v.value<qulonglong>()));
      return true;
    case QMetaType::Double:
      out = portal::Value::of(T::Double, 0);
      out.real = v.value<double>();
      return true;
    case QMetaType::QString:
      out = portal::Value::string(T::String, v.value<QString>().toStdString());
      return true;
    case QMetaType::QByteArray: {
      const QByteArray bytes = v.value<QByteArray>();
      out = portal::Value::array("y", {});
      for (const char c : bytes) {
        if (!counted(depth + 1)) return false;
        out.items.push_back(portal::Value::of(T::Byte, static_cast<unsigned char>(c)));
      }
      return true;
    }
    case QMetaType::QStringList: {
      out = portal::Value::array("s", {});
      for (const QString& s : v.value<QStringList>()) {
        if (!counted(depth + 1)) return false;
        out.items.push_back(portal::Value::string(T::String, s.toStdString()));
      }
      return true;
    }
    default:
      break;
  }
  if (type == QMetaType::fromType<QDBusObjectPath>()) {
    out = portal::Value::string(T::ObjectPath, v.value<QDBusObjectPath>().path().toStdString());
    return true;
  }
  if (type == QMetaType::fromType<QDBusSignature>()) {
    out = portal::Value::string(T::Signature, v.value<QDBusSignature>().signature().toStdString());
    return true;
  }
  if (type == QMetaType::fromType<QDBusUnixFileDescriptor>()) {
    out = portal::Value::of(T::UnixFd, 0);  // its copy of the descriptor closes with it
    return true;
  }
  if (type == QMetaType::fromType<QDBusVariant>()) {
    out = portal::Value::variant({});
    return read(v.value<QDBusVariant>().variant(), out.items[0], depth + 1);
  }
  if (type == QMetaType::fromType<QDBusArgument>())
    return read(v.value<QDBusArgument>(), out, depth);
  return false;
}

bool ValueReader::read(const QDBusArgument& a, portal::Value& out, int depth) {
  using T = portal::Value::Type;
  if (!counted(depth)) return false;
  switch (a.currentType()) {
    case QDBusArgument::BasicType:
      // The toolkit reads a basic value (arrays of bytes and of strings among them) by the type
      // the message holds, into the QVariant of that type.
      return convert(a.asVariant(), out, depth);
    case QDBusArgument::VariantType: {
      QDBusVariant inner;
      a >> inner;
      out = portal::Value::variant({});
      return read(inner.variant(), out.items[0], depth + 1);
    }
    case QDBusArgument::ArrayType: {
      out = portal::Value::array(a.currentSignature().mid(1).toStdString(), {});
      a.beginArray();
      const bool ok = readItems(a, out, depth);
      a.endArray();
      return ok;
    }
    case QDBusArgument::MapType: {
      out = portal::Value::array(a.currentSignature().mid(1).toStdString(), {});
      a.beginMap();
      const bool ok = readItems(a, out, depth);
      a.endMap();
      return ok;
    }
    case QDBusArgument::StructureType: {
      out = portal::Value::structure({});
      a.beginStructure();
      const bool ok = readItems(a, out, depth);
      a.endStructure();
      return ok;
    }
    case QDBusArgument::MapEntryType: {
      out = portal::Value{};
      out.type = T::DictEntry;
      a.beginMapEntry();
      const bool ok = readItems(a, out, depth);
      a.endMapEntry();
      return ok;
    }
    case QDBusArgument::UnknownType:
      break;
  }
  return false;
}

bool ValueReader::readItems(const QDBusArgument& a, portal::Value& out, int depth) {
  while (!a.atEnd()) {
    out.items.emplace_back();
    if (!read(a, out.items.back(), depth + 1)) return false;
  }
  return true;
}

}  // namespace

std::optional<std::vector<portal::Value>> portal::readDBusArguments(
    const QList<QVariant>& arguments) {
  std::vector<portal::Value> values;
  ValueReader reader;
  for (const QVariant& argument : arguments) {
    if (!reader.read(argument, values.emplace_back(), 0)) return std::nullopt;
  }
  return values;
}

}  // namespace host
