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
std::vector<Value> granted(Entries results) {
  return {u(0), Value::dict(std::move(results))};
}

const std::string kSession = "/org/freedesktop/portal/desktop/session/1_42/tintwell7";
const std::string kToken = "5b6c4bc2-1e4f-4f6a-9d55-0c2f3e1b7a10";

struct SessionCase {
  const char* what;
  Value handle;
  bool readable;
};

class SessionHandles : public ::testing::TestWithParam<SessionCase> {};

TEST_P(SessionHandles, AreStringsOrObjectPathsThatNameAnObject) {
  const SessionCase& c = GetParam();
  const ReadAnswer read =
      readResponse(Request::CreateSession, granted({{"session_handle", c.handle}}));
  ASSERT_EQ(read.answer.has_value(), c.readable) << read.reason;
  if (c.readable) {
    EXPECT_EQ(read.answer->sessionHandle, kSession);
  } else {
    EXPECT_NE(read.reason.find("session_handle"), std::string::npos) << read.reason;
  }
}

INSTANTIATE_TEST_SUITE_P(
    CreateSession, SessionHandles,
    ::testing::Values(SessionCase{"string", s(kSession), true},
                      SessionCase{"object_path", Value::string(T::ObjectPath, kSession), true},
                      SessionCase{"number", u(7), false},
                      SessionCase{"no_object_path", s("session 7"), false},
                      SessionCase{"empty", s(""), false}),
    [](const auto& p) { return std::string(p.param.what); });

TEST(PortalReply, ACreateSessionAnswerWithoutAHandleIsUnreadable) {
  const ReadAnswer read = readResponse(Request::CreateSession, granted({{"other", s(kSession)}}));
  EXPECT_FALSE(read.answer.has_value());
  EXPECT_EQ(read.reason, "no session_handle");
}

struct StartCase {
  const char* what;
  Entries results;
  bool readable;
  std::optional<SharedStream> monitor = std::nullopt;
  std::optional<std::string> token = std::nullopt;
};

class StartAnswers : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartAnswers, GiveTheFirstMonitorOrSayWhyNot) {
  const StartCase& c = GetParam();
  const ReadAnswer read = readResponse(Request::Start, granted(c.results));
  ASSERT_EQ(read.answer.has_value(), c.readable) << read.reason;
  if (!c.readable) {
    EXPECT_FALSE(read.reason.empty());
    return;
  }
  EXPECT_EQ(read.answer->restoreToken, c.token);
  ASSERT_EQ(read.answer->monitor.has_value(), c.monitor.has_value());
  if (!c.monitor) return;
  EXPECT_EQ(read.answer->monitor->node, c.monitor->node);
  EXPECT_EQ(read.answer->monitor->position, c.monitor->position);
  EXPECT_EQ(read.answer->monitor->size, c.monitor->size);
}

const Entries kMonitorProps = {
    {"position", pairOf(1920, -40)}, {"size", pairOf(1280, 720)}, {"source_type", u(1)}};

INSTANTIATE_TEST_SUITE_P(
    Start, StartAnswers,
    ::testing::Values(
        StartCase{"shipped",
                  {{"streams", streams({stream(42, kMonitorProps)})}, {"restore_token", s(kToken)}},
                  true,
                  SharedStream{42, Point{1920, -40}, Size{1280, 720}},
                  kToken},
        // Older portals say nothing but the node: the stream is placed at the origin, unscaled.
        StartCase{"node_alone",
                  {{"streams", streams({stream(7, {})})}},
                  true,
                  SharedStream{7, std::nullopt, std::nullopt}},
        StartCase{"window_before_monitor",
                  {{"streams", streams({stream(5, {{"source_type", u(2)}}),
                                        stream(6, {{"source_type", u(1)}})})}},
                  true,
                  SharedStream{6, std::nullopt, std::nullopt}},
        StartCase{"no_streams", {}, true},
        StartCase{"no_monitor", {{"streams", streams({stream(5, {{"source_type", u(2)}})})}}, true},
        StartCase{"token_unusable",
                  {{"streams", streams({stream(7, {})})}, {"restore_token", s("two\nlines")}},
                  true,
                  SharedStream{7, std::nullopt, std::nullopt}},
        StartCase{
            "streams_of_string_arrays",
            {{"streams",
              Value::array("(uas)", {Value::structure({u(42), Value::array("s", {s("x")})})})}},
            false},
        StartCase{"streams_with_a_struct_for_the_node",
                  {{"streams",
                    Value::array("((u)a{sv})", {Value::structure({Value::structure({u(42)}),
                                                                  Value::dict(kMonitorProps)})})}},
                  false},
        StartCase{"empty_streams_of_another_type", {{"streams", Value::array("(uas)", {})}}, false},
        StartCase{
            "position_of_a_dict_and_an_int",
            {{"streams",
              streams({stream(42, {{"position", Value::structure({Value::dict({}), i(0)})}})})}},
            false},
        StartCase{"size_unsigned",
                  {{"streams", streams({stream(42, {{"size", Value::structure({u(1), u(1)})}})})}},
                  false},
        StartCase{"source_type_a_string",
                  {{"streams", streams({stream(42, {{"source_type", s("monitor")}})})}},
                  false},
        StartCase{"token_a_number", {{"restore_token", u(5)}}, false},
        // Only a bus that lies about its own types could send it: an element of another type
        // than its array's.
        StartCase{
            "array_unlike_its_elements", {{"streams", Value::array("(ua{sv})", {u(1)})}}, false}),
    [](const auto& p) { return std::string(p.param.what); });

struct ResponseCase {
  const char* what;
  std::vector<Value> arguments;
  std::optional<std::uint32_t> response;  // none: unreadable
};

class Responses : public ::testing::TestWithParam<ResponseCase> {};

TEST_P(Responses, CarryACodeAndResultsAndARefusalsResultsAreNotRead) {
  const ResponseCase& c = GetParam();
  for (const Request r : {Request::CreateSession, Request::SelectSources, Request::Start}) {
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
        ResponseCase{"refused", {u(2), Value::dict({})}, 2u},
        ResponseCase{
            "refused_with_unreadable_results",
            {u(2), Value::dict({{"session_handle", u(1)}, {"streams", Value::array("(uas)", {})}})},
            2u},
        ResponseCase{"code_a_string", {s("0"), Value::dict({})}, std::nullopt},
        ResponseCase{"code_alone", {u(0)}, std::nullopt},
        ResponseCase{"results_of_strings", {u(0), Value::array("{ss}", {})}, std::nullopt},
        ResponseCase{"an_argument_more", {u(0), Value::dict({}), u(0)}, std::nullopt}),
    [](const auto& p) { return std::string(p.param.what); });

TEST(PortalReply, SelectSourcesGrantedReadsNothingOfItsResults) {
  const ReadAnswer read = readResponse(Request::SelectSources, granted({{"streams", u(3)}}));
  ASSERT_TRUE(read.answer.has_value()) << read.reason;
  EXPECT_EQ(read.answer->response, 0u);
}

}  // namespace
