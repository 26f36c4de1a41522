// Statement-wise error skipping: run-time errors are dropped, programming errors are not.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "host/core/RuntimeError.h"

namespace {

TEST(SkipOnErrorTest, ARunTimeErrorSkipsOnlyItsStatement) {
  std::vector<int> ran;
  host::skipOnError([&] {
    ran.push_back(1);
    throw host::RuntimeError(host::kErrInvalidProcedureCall, "Test", "Invalid parameter");
  });
  host::skipOnError([&] { ran.push_back(2); });
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  EXPECT_THROW(host::skipOnError([] { throw std::out_of_range("index"); }), std::out_of_range);
}

}  // namespace
