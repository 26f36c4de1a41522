// The portal's answers from any value tree, as the answer to each request: the reader checks
// the type of all it reads, so no tree, however wrong (an array whose elements are not of its
// type, a struct without fields), makes it read a value that is not there, and what it accepts
// has the shape the bus would have carried. The same trees as the answer to PickColor.
//
// The input spells the Response's arguments front to back: a count, then each value as its type
// letter (another byte stands for the type it indexes) and its contents: integers (and a double's
// bits) as 8 bytes, little end first; strings as a length byte and the bytes; an array as its
// element signature (a string), an element count byte and the elements; a struct as a field count
// byte and the fields; a dict entry as its key and value; a variant as its value. Missing bytes
// read as 0.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/screen/portal/PortalReply.h"

using namespace host::portal;

namespace {

constexpr char kTypes[] = "ybnqiuxtdsoghav({";
constexpr int kMaxDepth = 24;

struct Input {
  const std::uint8_t* data;
  std::size_t size;
  std::uint8_t byte() {
    if (size == 0) return 0;
    --size;
    return *data++;
  }
  std::string text() {
    std::string s(byte(), '\0');
    for (char& c : s)
      c = static_cast<char>(byte());
    return s;
  }
};

Value decode(Input& in, int depth, int& budget) {
  const std::uint8_t b = in.byte();
  const void* letter =
      std::char_traits<char>::find(kTypes, sizeof kTypes - 1, static_cast<char>(b));
  Value v;
  v.type = static_cast<Value::Type>(letter != nullptr ? static_cast<char>(b)
                                                      : kTypes[b % (sizeof kTypes - 1)]);
  if (--budget < 0 || depth > kMaxDepth) return Value::of(Value::Type::Byte, 0);
  switch (v.type) {
    case Value::Type::String:
    case Value::Type::ObjectPath:
    case Value::Type::Signature:
      v.text = in.text();
      break;
    case Value::Type::Array: {
      v.element = in.text();
      for (int n = in.byte(); n > 0 && in.size > 0; --n)
        v.items.push_back(decode(in, depth + 1, budget));
      break;
    }
    case Value::Type::Struct:
      for (int n = in.byte(); n > 0 && in.size > 0; --n)
        v.items.push_back(decode(in, depth + 1, budget));
      break;
    case Value::Type::DictEntry:
      v.items.push_back(decode(in, depth + 1, budget));
      v.items.push_back(decode(in, depth + 1, budget));
      break;
    case Value::Type::Variant:
      v.items.push_back(decode(in, depth + 1, budget));
      break;
    default: {
      std::uint64_t n = 0;
      for (int i = 0; i < 8; ++i)
        n |= std::uint64_t{in.byte()} << (8 * i);
      v.number = static_cast<std::int64_t>(n);
      // A double's own bits: NaN and the infinities come too.
      std::memcpy(&v.real, &n, sizeof v.real);
      break;
    }
  }
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in{data, size};
  int budget = 512;
  std::vector<Value> arguments;
  for (int n = in.byte() % 4; n > 0; --n)
    arguments.push_back(decode(in, 0, budget));
  for (const Request r : {Request::CreateSession, Request::SelectSources, Request::Start}) {
    const ReadAnswer read = readResponse(r, arguments);
    if (!read.answer) {
      if (read.reason.empty()) std::abort();
      continue;
    }
    if (arguments.size() != 2 || signatureOf(arguments[0]) != "u" ||
        signatureOf(arguments[1]) != "a{sv}") {
      std::abort();
    }
    const Answer& a = *read.answer;
    if (a.response != 0) continue;
    if (r == Request::CreateSession && (a.sessionHandle.empty() || a.sessionHandle[0] != '/'))
      std::abort();
    if (a.restoreToken && parseRestoreToken(*a.restoreToken) != a.restoreToken) std::abort();
  }
  // PickColor's answer: a reason for each refusal to read, a color of 24 bits, and nothing but
  // the code read from a cancel or a refusal.
  const ReadPick pick = readPickResponse(arguments);
  if (pick.answer.has_value() != pick.reason.empty()) std::abort();
  if (pick.answer &&
      (pick.answer->color > 0xFFFFFFu || (pick.answer->response != 0 && pick.answer->color != 0))) {
    std::abort();
  }
  return 0;
}
