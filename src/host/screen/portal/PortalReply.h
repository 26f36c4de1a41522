#pragma once

// The desktop portal's answers, read without the bus. The module copies each D-Bus message it
// receives into a small tree of values (Value), checking every type before it reads it; the
// answers to the ScreenCast requests are then read from that tree by one function that checks
// the type of everything it reads and says why when it cannot. No Qt, so the reader is tested and
// fuzzed on hand-made and random trees.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/screen/portal/PortalFrame.h"

namespace host::portal {

// One D-Bus value. The type codes are the signature's letters.
struct Value {
  enum class Type : char {
    Byte = 'y',
    Bool = 'b',
    Int16 = 'n',
    UInt16 = 'q',
    Int32 = 'i',
    UInt32 = 'u',
    Int64 = 'x',
    UInt64 = 't',
    Double = 'd',
    String = 's',
    ObjectPath = 'o',
    Signature = 'g',
    UnixFd = 'h',
    Array = 'a',
    Struct = '(',
    DictEntry = '{',
    Variant = 'v',
  };
  Type type = Type::Byte;
  // The integer types and Bool (a UInt64 keeps its bits); a file descriptor is not kept.
  std::int64_t number = 0;
  double real = 0;   // Double
  std::string text;  // String, ObjectPath, Signature
  // An array's element signature ("{sv}" for an a{sv}): an empty array has a type too.
  std::string element;
  // An array's elements, a struct's fields, a dict entry's key and value, a variant's one value.
  std::vector<Value> items;

  static Value of(Type type, std::int64_t number);
  static Value string(Type type, std::string text);
  static Value array(std::string element, std::vector<Value> items);
  static Value structure(std::vector<Value> fields);
  static Value variant(Value inner);
  // An a{sv} of these keys and values (each wrapped in its variant here).
  static Value dict(std::vector<std::pair<std::string, Value>> entries);
};

// The value's signature ("a(ua{sv})"), or none for a tree that no message could carry: an array
// element of another type than its array's, a struct without fields, a dict entry without a key
// and a value, a variant without its one value, nesting deeper than D-Bus allows.
std::optional<std::string> signatureOf(const Value& v);

// The ScreenCast requests whose answers come in a Response signal.
enum class Request { CreateSession, SelectSources, Start };

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

// A stream the portal shares: its PipeWire node, and where the monitor sits on the desktop and
// how large it is in the desktop's logical pixels, where the portal says.
struct SharedStream {
  std::uint32_t node = 0;
  std::optional<Point> position;
  std::optional<Size> size;
};

struct Answer {
  // 0: granted; 1: the user declined; anything else: the desktop refused or failed. Nothing
  // else is read from an answer that is not a grant.
  std::uint32_t response = 0;
  std::string sessionHandle;                // CreateSession's: the session's object path
  std::optional<std::string> restoreToken;  // Start's, where it is one worth keeping
  std::optional<SharedStream> monitor;      // Start's first monitor; none when none was shared
};

// An answer, or why it cannot be read (one line, for the log).
struct ReadAnswer {
  std::optional<Answer> answer;
  std::string reason;
};

// Reads the answer to `request` from the arguments of its Response signal (a response code u and
// the results a{sv}). Any argument or key this program reads that is of another type than the
// portal's interface names makes the whole answer unreadable, whether the key is optional or not:
// a portal that gets one part wrong is not trusted with the rest (a misread position would read
// the wrong pixels without a word). Keys it does not read may be anything.
ReadAnswer readResponse(Request request, const std::vector<Value>& arguments);

// The answer to the Screenshot portal's PickColor: the response code as Answer's, and the color
// picked when it is 0.
struct PickedColor {
  std::uint32_t response = 0;
  ColorRef color = 0;
};

struct ReadPick {
  std::optional<PickedColor> answer;
  std::string reason;  // why it cannot be read, when it cannot
};

// Reads PickColor's Response signal (u, a{sv}). A grant must hold "color" as (ddd), red, green and
// blue each a finite number from 0 to 1, which is rounded to the nearest of 0..255; anything else
// in a grant makes the answer unreadable. A cancel or a refusal is read from its code alone.
ReadPick readPickResponse(const std::vector<Value>& arguments);

}  // namespace host::portal
