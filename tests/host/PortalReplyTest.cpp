// The portal's answers read from value trees as the bus carries them: the shapes shipped portals
// send, the shapes misbehaving ones have sent (each of which once crashed or stalled the
// program), and refusals, whose results are not read.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "host/screen/portal/PortalReply.h"

using namespace host::portal;
using T = Value::Type;
using enum Request;

namespace {

using Entries = std::vector<std::pair<std::string, Value>>;

Value u(std::int64_t n) {
  return Value::of(T::UInt32, n);
}
Value i(std::int64_t n) {
  return Value::of(T::Int32, n);
}
Value s(std::string text) {
  return Value::string(T::String, std::move(text));
}
Value pairOf(int a, int b) {
  return Value::structure({i(a), i(b)});
}
// One stream as the portal shares it, (u a{sv}), and the a(ua{sv}) of them.
Value stream(std::int64_t node, Entries props) {
  return Value::structure({u(node), Value::dict(std::move(props))});
}
Value streams(std::vector<Value> items) {
  return Value::array("(ua{sv})", std::move(items));
}

const std::string kSession = "/org/freedesktop/portal/desktop/session/1_42/tintwell7";
const std::string kToken = "5b6c4bc2-1e4f-4f6a-9d55-0c2f3e1b7a10";

// An answer in one line: its code, then what it carries.
std::string describe(const Answer& a) {
  std::string out = std::to_string(a.response);
  if (!a.sessionHandle.empty()) out += " session " + a.sessionHandle;
  if (a.restoreToken) out += " token " + *a.restoreToken;
  if (!a.monitor) return out;
  out += " node " + std::to_string(a.monitor->node);
  if (const auto& p = a.monitor->position) {
    out += " at " + std::to_string(p->x) + "," + std::to_string(p->y);
  }
  if (const auto& z = a.monitor->size) {
    out += " size " + std::to_string(z->width) + "x" + std::to_string(z->height);
  }
  return out;
}

struct Grant {
  const char* what;
  Request request;
  Entries results;
  std::optional<std::string> answer = std::nullopt;  // described; none: unreadable
};

Grant grant(const char* what, Request request, Entries results,
            std::optional<std::string> answer = std::nullopt) {
  return {what, request, std::move(results), std::move(answer)};
}

class Grants : public ::testing::TestWithParam<Grant> {};

TEST_P(Grants, GiveTheSessionOrTheFirstMonitorOrSayWhyNot) {
  const Grant& c = GetParam();
  const ReadAnswer read = readResponse(c.request, {u(0), Value::dict(c.results)});
  EXPECT_EQ(read.answer ? std::optional(describe(*read.answer)) : std::nullopt, c.answer)
      << read.reason;
  EXPECT_EQ(read.reason.empty(), read.answer.has_value());  // a reason for each refusal to read
}

const Entries kMonitorProps = {
    {"position", pairOf(1920, -40)}, {"size", pairOf(1280, 720)}, {"source_type", u(1)}};

// A Start answer sharing one stream of node 42 with these properties.
Entries oneStream(Entries props) {
  return {{"streams", streams({stream(42, std::move(props))})}};
}

INSTANTIATE_TEST_SUITE_P(
    AnyRequest, Grants,
    ::testing::Values(
        grant("session_string", CreateSession, {{"session_handle", s(kSession)}},
              "0 session " + kSession),
        grant("session_object_path", CreateSession,
              {{"session_handle", Value::string(T::ObjectPath, kSession)}},
              "0 session " + kSession),
        grant("session_number", CreateSession, {{"session_handle", u(7)}}),
        grant("session_no_object_path", CreateSession, {{"session_handle", s("session 7")}}),
        grant("session_missing", CreateSession, {{"other", s(kSession)}}),
        // A grant of SelectSources carries nothing this program reads.
        grant("select_sources", SelectSources, {{"streams", u(3)}}, "0"),
        grant("shipped", Start,
              {{"streams", streams({stream(42, kMonitorProps)})}, {"restore_token", s(kToken)}},
              "0 token " + kToken + " node 42 at 1920,-40 size 1280x720"),
        // Older portals say nothing but the node: the stream is placed at the origin, unscaled.
        grant("node_alone", Start, oneStream({}), "0 node 42"),
        grant("window_before_monitor", Start,
              {{"streams",
                streams({stream(5, {{"source_type", u(2)}}), stream(6, {{"source_type", u(1)}})})}},
              "0 node 6"),
        grant("no_streams", Start, {}, "0"),
        grant("no_monitor", Start, oneStream({{"source_type", u(2)}}), "0"),
        grant("token_unusable", Start,
              {{"streams", streams({stream(7, {})})}, {"restore_token", s("two\nlines")}},
              "0 node 7"),
        grant("streams_of_string_arrays", Start,
              {{"streams",
                Value::array("(uas)", {Value::structure({u(42), Value::array("s", {s("x")})})})}}),
        grant("streams_with_a_struct_for_the_node", Start,
              {{"streams",
                Value::array("((u)a{sv})", {Value::structure({Value::structure({u(42)}),
                                                              Value::dict(kMonitorProps)})})}}),
        grant("empty_streams_of_another_type", Start, {{"streams", Value::array("(uas)", {})}}),
        grant("position_of_a_dict_and_an_int", Start,
              oneStream({{"position", Value::structure({Value::dict({}), i(0)})}})),
        grant("size_unsigned", Start, oneStream({{"size", Value::structure({u(1), u(1)})}})),
        grant("source_type_a_string", Start, oneStream({{"source_type", s("monitor")}})),
        grant("token_a_number", Start, {{"restore_token", u(5)}}),
        // Only a bus that lies about its own types could send it: an element of another type
        // than its array's.
        grant("array_unlike_its_elements", Start, {{"streams", Value::array("(ua{sv})", {u(1)})}})),
    [](const auto& p) { return std::string(p.param.what); });

struct ResponseCase {
  const char* what;
  std::vector<Value> arguments;
  std::optional<std::uint32_t> response;  // none: unreadable
};

class Responses : public ::testing::TestWithParam<ResponseCase> {};

TEST_P(Responses, CarryACodeAndResultsAndARefusalsResultsAreNotRead) {
  const ResponseCase& c = GetParam();
  for (const Request r : {CreateSession, SelectSources, Start}) {
    const ReadAnswer read = readResponse(r, c.arguments);
    ASSERT_EQ(read.answer.has_value(), c.response.has_value()) << read.reason;
    if (c.response) {
      EXPECT_EQ(read.answer->response, *c.response);
    } else {
      EXPECT_NE(read.reason.find("Response"), std::string::npos) << read.reason;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    AnyRequest, Responses,
    ::testing::Values(
        ResponseCase{"declined", {u(1), Value::dict({})}, 1u},
        ResponseCase{
            "refused_with_unreadable_results",
            {u(2), Value::dict({{"session_handle", u(1)}, {"streams", Value::array("(uas)", {})}})},
            2u},
        ResponseCase{"code_a_string", {s("0"), Value::dict({})}, std::nullopt},
        ResponseCase{"code_alone", {u(0)}, std::nullopt},
        ResponseCase{"results_of_strings", {u(0), Value::array("{ss}", {})}, std::nullopt},
        ResponseCase{"an_argument_more", {u(0), Value::dict({}), u(0)}, std::nullopt}),
    [](const auto& p) { return std::string(p.param.what); });

}  // namespace
