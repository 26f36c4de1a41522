#include "host/screen/portal/PortalReply.h"

#include <cmath>

namespace host::portal {

namespace {

using Type = Value::Type;

// D-Bus nests arrays and structs at most 32 deep each; a variant's contents count again.
constexpr int kMaxDepth = 64;

// The portal's source types: only a monitor's stream is read.
constexpr std::int64_t kSourceMonitor = 1;

std::optional<std::string> signatureAt(const Value& v, int depth) {
  if (depth > kMaxDepth) return std::nullopt;
  switch (v.type) {
    case Type::Byte:
    case Type::Bool:
    case Type::Int16:
    case Type::UInt16:
    case Type::Int32:
    case Type::UInt32:
    case Type::Int64:
    case Type::UInt64:
    case Type::Double:
    case Type::String:
    case Type::ObjectPath:
    case Type::Signature:
    case Type::UnixFd:
      return std::string(1, static_cast<char>(v.type));
    case Type::Array:
      if (v.element.empty()) return std::nullopt;
      for (const Value& item : v.items) {
        if (signatureAt(item, depth + 1) != v.element) return std::nullopt;
      }
      return "a" + v.element;
    case Type::Struct: {
      if (v.items.empty()) return std::nullopt;
      std::string s = "(";
      for (const Value& field : v.items) {
        const auto f = signatureAt(field, depth + 1);
        if (!f) return std::nullopt;
        s += *f;
      }
      return s + ")";
    }
    case Type::DictEntry: {
      if (v.items.size() != 2) return std::nullopt;
      const auto key = signatureAt(v.items[0], depth + 1);
      const auto value = signatureAt(v.items[1], depth + 1);
      if (!key || !value) return std::nullopt;
      return "{" + *key + *value + "}";
    }
    case Type::Variant:
      if (v.items.size() != 1 || !signatureAt(v.items[0], depth + 1)) return std::nullopt;
      return "v";
  }
  return std::nullopt;  // a type code of no D-Bus type
}

std::string describe(const Value& v) {
  return signatureOf(v).value_or("a malformed value");
}

// The value under `key` in a dictionary whose signature is a{sv}, out of its variant; the first
// where a key repeats.
const Value* lookup(const Value& dict, std::string_view key) {
  for (const Value& entry : dict.items) {
    if (entry.items[0].text == key) return &entry.items[1].items[0];
  }
  return nullptr;
}

bool isObjectPath(std::string_view p) {
  if (p.empty() || p.front() != '/') return false;
  if (p.size() == 1) return true;
  if (p.back() == '/') return false;
  char previous = '/';
  for (const char c : p.substr(1)) {
    const bool word =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!word && (c != '/' || previous == '/')) return false;
    previous = c;
  }
  return true;
}

ReadAnswer rejected(std::string why) {
  return {std::nullopt, std::move(why)};
}

// A position or size, (ii), from a stream's properties.
std::optional<std::string> readPair(const Value& props, std::string_view key,
                                    std::optional<Point>& out) {
  const Value* v = lookup(props, key);
  if (v == nullptr) return std::nullopt;
  if (signatureOf(*v) != "(ii)") {
    return "the stream's " + std::string(key) + " is " + describe(*v) + ", not (ii)";
  }
  out = Point{static_cast<int>(v->items[0].number), static_cast<int>(v->items[1].number)};
  return std::nullopt;
}

ReadAnswer readStart(const Value& results, Answer answer) {
  if (const Value* token = lookup(results, "restore_token")) {
    if (token->type != Type::String) {
      return rejected("restore_token is " + describe(*token) + ", not s");
    }
    answer.restoreToken = parseRestoreToken(token->text);
  }
  const Value* streams = lookup(results, "streams");
  if (streams == nullptr) return {answer, {}};
  if (signatureOf(*streams) != "a(ua{sv})") {
    return rejected("streams is " + describe(*streams) + ", not a(ua{sv})");
  }
  for (const Value& stream : streams->items) {
    const Value& props = stream.items[1];
    if (const Value* type = lookup(props, "source_type")) {
      if (type->type != Type::UInt32) {
        return rejected("a stream's source_type is " + describe(*type) + ", not u");
      }
      if (type->number != kSourceMonitor) continue;
    }
    SharedStream monitor;
    monitor.node = static_cast<std::uint32_t>(stream.items[0].number);
    std::optional<Point> size;
    if (auto why = readPair(props, "position", monitor.position)) return rejected(std::move(*why));
    if (auto why = readPair(props, "size", size)) return rejected(std::move(*why));
    if (size) monitor.size = Size{size->x, size->y};
    answer.monitor = monitor;
    break;
  }
  return {answer, {}};
}

}  // namespace

Value Value::of(Type type, std::int64_t number) {
  Value v;
  v.type = type;
  v.number = number;
  return v;
}

Value Value::string(Type type, std::string text) {
  Value v;
  v.type = type;
  v.text = std::move(text);
  return v;
}

Value Value::array(std::string element, std::vector<Value> items) {
  Value v;
  v.type = Type::Array;
  v.element = std::move(element);
  v.items = std::move(items);
  return v;
}

Value Value::structure(std::vector<Value> fields) {
  Value v;
  v.type = Type::Struct;
  v.items = std::move(fields);
  return v;
}

Value Value::variant(Value inner) {
  Value v;
  v.type = Type::Variant;
  v.items.push_back(std::move(inner));
  return v;
}

Value Value::dict(std::vector<std::pair<std::string, Value>> entries) {
  Value d = array("{sv}", {});
  for (std::pair<std::string, Value>& keyed : entries) {
    Value entry;
    entry.type = Type::DictEntry;
    entry.items.push_back(string(Type::String, std::move(keyed.first)));
    entry.items.push_back(variant(std::move(keyed.second)));
    d.items.push_back(std::move(entry));
  }
  return d;
}

std::optional<std::string> signatureOf(const Value& v) {
  return signatureAt(v, 0);
}

namespace {

// The signal's arguments' signatures in a row: "ua{sv}" for every portal's Response.
std::string shapeOf(const std::vector<Value>& arguments) {
  std::string shape;
  for (const Value& a : arguments)
    shape += signatureOf(a).value_or("?");
  return shape;
}

}  // namespace

ReadAnswer readResponse(Request request, const std::vector<Value>& arguments) {
  const std::string shape = shapeOf(arguments);
  if (shape != "ua{sv}")
    return rejected("the Response signal carries (" + shape + "), not (ua{sv})");
  Answer answer;
  answer.response = static_cast<std::uint32_t>(arguments[0].number);
  if (answer.response != 0) return {answer, {}};
  const Value& results = arguments[1];
  switch (request) {
    case Request::CreateSession: {
      const Value* handle = lookup(results, "session_handle");
      if (handle == nullptr) return rejected("no session_handle");
      // Shipped portals send a string; the interface's documentation names an object path.
      if (handle->type != Type::String && handle->type != Type::ObjectPath) {
        return rejected("session_handle is " + describe(*handle) + ", not s or o");
      }
      if (!isObjectPath(handle->text)) return rejected("session_handle is not an object path");
      answer.sessionHandle = handle->text;
      return {answer, {}};
    }
    case Request::SelectSources:
      return {answer, {}};  // nothing in it is read
    case Request::Start:
      return readStart(results, std::move(answer));
  }
  return rejected("an unknown request");
}

ReadPick readPickResponse(const std::vector<Value>& arguments) {
  const std::string shape = shapeOf(arguments);
  if (shape != "ua{sv}") return {std::nullopt, "the Response signal carries (" + shape + ")"};
  PickedColor picked;
  picked.response = static_cast<std::uint32_t>(arguments[0].number);
  if (picked.response != 0) return {picked, {}};
  const Value* color = lookup(arguments[1], "color");
  if (color == nullptr) return {std::nullopt, "a pick without a color"};
  if (signatureOf(*color) != "(ddd)") {
    return {std::nullopt, "the color is " + describe(*color) + ", not (ddd)"};
  }
  int channels[3] = {};
  for (std::size_t i = 0; i < 3; ++i) {
    const double v = color->items[i].real;
    // Written so that NaN fails too.
    if (!(v >= 0.0 && v <= 1.0)) return {std::nullopt, "a color channel outside 0..1"};
    channels[i] = static_cast<int>(std::lround(v * 255.0));
  }
  picked.color = RGB(channels[0], channels[1], channels[2]);
  return {picked, {}};
}

}  // namespace host::portal
