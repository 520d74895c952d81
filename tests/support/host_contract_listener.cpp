// Linked into every test program: at the end of each test, whatever its
// fixture, a breach of the host's contract still in the stand-in host's
// list fails that test.  The failure is added before the result is printed
// (the end-of-test events reach listeners in reverse order, this one
// before the printer).
#include <gtest/gtest.h>

#include "module_fixture.hpp"

namespace {

class HostContractListener : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo &) override { testsupport::ExpectHostContractKept(); }
};

const bool registered = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new HostContractListener);
  return true;
}();

}  // namespace
